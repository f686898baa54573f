#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang and runs each for a bounded time.
set -eu
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets
for f in "$build"/bin/fuzz_*; do
  [ -x "$f" ] || continue
  echo "== $(basename "$f") for ${seconds}s"
  "$f" -max_total_time="$seconds" -print_final_stats=1 2>&1 | tail -n 12
done

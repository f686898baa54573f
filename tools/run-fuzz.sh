#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang and runs each for a bounded
# time, starting from the small seed inputs under tests/fuzz/seeds (binary
# seeds are kept as hex text and unpacked into the corpus first).
set -eu
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets
for kind in tga obj mtl bsp quad shader; do
  corpus="$build/corpus/$kind"
  mkdir -p "$corpus"
  for seed in tests/fuzz/seeds/$kind/*; do
    [ -f "$seed" ] || continue
    name=$(basename "$seed")
    case "$name" in
      *.hex) printf "$(tr -d ' \n' < "$seed" | sed 's/../\\x&/g')" > "$corpus/${name%.hex}" ;;
      *) cp "$seed" "$corpus/$name" ;;
    esac
  done
  f="$build/bin/fuzz_$kind"
  [ -x "$f" ] || continue
  echo "== $(basename "$f") for ${seconds}s"
  "$f" "$corpus" -max_total_time="$seconds" -print_final_stats=1 2>&1 | tail -n 12
done

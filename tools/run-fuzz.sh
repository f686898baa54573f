#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang and runs each for a bounded
# time, starting from the small seed inputs under tests/fuzz/seeds (binary
# seeds are kept as hex text and unpacked into the corpus first) and, for
# the game's own files, from the generated demo data. Whatever a target
# finds is written under build-fuzz/findings/<reader>/.
set -eu
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets demo_data
# The game's readers start from the generated demo data as well.
demo_seeds()
{
  case "$1" in
    level) ls "$build"/game/levels/*.xml ;;
    gameplan) ls "$build"/game/GamePlan.xml ;;
    keyframe) ls "$build"/game/anims/*.txt ;;
    config) ls "$build"/run/*.txt ;;
    sound) find "$build"/game -name "*.wav" -size -64k ;;
  esac
}
for kind in tga obj mtl bsp quad shader level gameplan keyframe config sound; do
  corpus="$build/corpus/$kind"
  mkdir -p "$corpus"
  for seed in $(demo_seeds "$kind"); do
    cp "$seed" "$corpus/"
  done
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
  # Crash, leak, timeout and out-of-memory inputs land beside the corpus.
  findings="$build/findings/$kind"
  mkdir -p "$findings"
  echo "== $(basename "$f") for ${seconds}s (findings in $findings)"
  "$f" "$corpus" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" 2>&1 | tail -n 12
done

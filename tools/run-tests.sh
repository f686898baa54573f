#!/usr/bin/env bash
# Runs every test through CTest; without a display, inside one Xvfb server.
set -eu
build=${1:-build}
jobs=${2:-$(nproc)}
timeout=${3:-300}
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
export MORVO_TEST=1
run=(ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout "$timeout")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
fi
exec "${run[@]}"

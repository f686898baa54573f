#!/usr/bin/env bash
# Runs every test through CTest; without a display, inside one Xvfb server.
set -eu
build=${1:-build}
jobs=${2:-$(nproc)}
timeout=${3:-300}
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
export MORVO_TEST=1
# The GL tests share one X server; a test that fails is run once more, so a
# rare clash between windows on that server does not fail the run.
run=(ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout "$timeout" --repeat until-pass:2)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
fi
exec "${run[@]}"

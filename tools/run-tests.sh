#!/usr/bin/env bash
# Runs every test through CTest. Each running test gets an Xvfb display of its
# own: one server a job slot, handed out by CTest as the "display" resource.
# Usage: run-tests.sh [build-dir [jobs [timeout [more ctest options...]]]]
set -eu
build=${1:-build}
jobs=${2:-$(nproc)}
timeout=${3:-300}
shift $(($# < 3 ? $# : 3))
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
export MORVO_TEST=1

servers=()
stop_servers()
{
  for pid in "${servers[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap stop_servers EXIT

pool=$(mktemp -d "${TMPDIR:-/tmp}/morvo-displays-XXXXXX")
ids=()
for ((i = 0; i < jobs; ++i)); do
  # Xvfb picks a free display number itself and writes it once it is ready.
  # -noreset: no server reset when a test's last client leaves, which a test
  # connecting at that moment would see as a missing display.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$pool/$i" 2>"$pool/$i.log" &
  servers+=($!)
done
for ((i = 0; i < jobs; ++i)); do
  for _ in $(seq 100); do
    [ -s "$pool/$i" ] && break
    sleep 0.1
  done
  if [ ! -s "$pool/$i" ]; then
    echo "Xvfb did not start:" >&2
    cat "$pool/$i.log" >&2
    exit 1
  fi
  ids+=("{\"id\": \"$(tr -d '[:space:]' <"$pool/$i")\", \"slots\": 1}")
done
spec="$pool/resources.json"
(IFS=,; echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"display\": [${ids[*]}]}]}") >"$spec"

status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout "$timeout" --resource-spec-file "$spec" "$@" || status=$?
rm -rf "$pool"
exit $status

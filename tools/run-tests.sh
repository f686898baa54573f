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

# LeakSanitizer's own tracer now and then crashes while it stops the
# threads at exit ("LeakSanitizer has encountered a fatal error"): that is
# the checker failing, not the test. Where every failure is that, the failed
# tests run once more; any other failure stands as it is.
if [ "$status" -ne 0 ] && [ -n "${MORVO_RERUN_CHECKER_CRASH:-}" ]; then
  tmp="$build/Testing/Temporary"
  only_checker=1
  while IFS=: read -r _ name; do
    [ -n "$name" ] || continue
    awk -v t="Testing: $name" -v e="\"$name\" end time" \
      'substr($0, length($0) - length(t) + 1) == t { on = 1 } on { print } on && index($0, e) == 1 { on = 0 }' \
      "$tmp/LastTest.log" | grep -q "LeakSanitizer has encountered a fatal error" || only_checker=0
  done < "$tmp/LastTestsFailed.log"
  if [ "$only_checker" -eq 1 ]; then
    echo "Only the leak checker itself crashed; those tests run once more:"
    sed 's/^[0-9]*:/  /' "$tmp/LastTestsFailed.log"
    status=0
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout "$timeout" --resource-spec-file "$spec" \
      --rerun-failed || status=$?
  fi
fi
rm -rf "$pool"
exit $status

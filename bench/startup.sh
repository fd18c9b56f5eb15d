#!/usr/bin/env bash
# Start-up of the editor: wall time from launching qen-editor on the offscreen
# platform to its first painted main window, and its resident memory then,
# with an empty document. Goals: at most 0.5 s and 80 MB.
# Usage: bench/startup.sh [path to qen-editor] [runs]
set -euo pipefail
editor="${1:-build/src/app/qen-editor}"
runs="${2:-5}"
[ -x "$editor" ] || { echo "startup: $editor is not built" >&2; exit 2; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qen.startup.info=true"
export XDG_RUNTIME_DIR="$work/runtime"  # a lock of its own beside a running editor
mkdir -m 700 "$XDG_RUNTIME_DIR"

printf 'run  start_ms  rss_mb\n'
worst_ms=0
worst_kb=0
for run in $(seq 1 "$runs"); do
  log="$work/run$run.log"
  begin=$(date +%s%N)
  "$editor" 2> "$log" &
  pid=$!
  until grep -q "main window painted" "$log" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || { echo "startup: the editor ended early" >&2; cat "$log" >&2; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  rss_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  ms=$(( (end - begin) / 1000000 ))
  awk -v r="$run" -v ms="$ms" -v kb="$rss_kb" 'BEGIN { printf "%3d  %8d  %6.1f\n", r, ms, kb / 1024 }'
  (( ms > worst_ms )) && worst_ms=$ms
  (( rss_kb > worst_kb )) && worst_kb=$rss_kb
done
awk -v ms="$worst_ms" -v kb="$worst_kb" \
  'BEGIN { printf "worst: %d ms, %.1f MB (goals: 500 ms, 80 MB)\n", ms, kb / 1024 }'
(( worst_ms <= 500 && worst_kb <= 80 * 1024 ))

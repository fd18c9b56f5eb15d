#!/usr/bin/env bash
# The editor as a process on the offscreen platform: a second copy ends at once
# and leaves the first running; a copy started from another working directory
# reads the settings file beside the program.
set -euo pipefail
editor="$1"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
# No settings in configuration folders: they would come before the program's.
export XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config-dirs"
export QT_LOGGING_RULES="qen.startup.info=true"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The program in a folder of its own, with its settings file beside it.
mkdir "$work/program" "$work/elsewhere"
cp "$editor" "$work/program/qen-editor"
printf '[System]\r\nWindowSize=1280,900\r\n' > "$work/program/Qen.inf"

wait_for_paint() {  # log file
  for _ in $(seq 1 300); do  # up to 30 s: a loaded machine starts slowly
    grep -q "main window painted" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAIL: the editor did not paint its window" >&2
  cat "$1" >&2
  return 1
}

(cd "$work/elsewhere" && exec "$work/program/qen-editor") 2> "$work/first.log" &
pids+=($!)
first=$!
wait_for_paint "$work/first.log"
if ! grep -q "1280 x 900 fixed" "$work/first.log"; then
  echo "FAIL: the settings file beside the program was not read" >&2
  cat "$work/first.log" >&2
  exit 1
fi

# A second copy ends by itself, quietly, and the first keeps running.
if ! timeout 10 "$work/program/qen-editor" 2> "$work/second.log"; then
  echo "FAIL: the second copy did not end by itself with status 0" >&2
  exit 1
fi
if grep -q "main window painted" "$work/second.log"; then
  echo "FAIL: the second copy showed a window" >&2
  exit 1
fi
kill -0 "$first"

# Once the first has gone, a new copy starts normally (resizable without settings).
kill "$first"
wait "$first" 2>/dev/null || true
rm "$work/program/Qen.inf"
"$work/program/qen-editor" 2> "$work/third.log" &
pids+=($!)
wait_for_paint "$work/third.log"
grep -q "1024 x 768 resizable" "$work/third.log"
echo "editor process: all checks passed"

#!/usr/bin/env bash
# The editor as processes on the offscreen platform: the file given to the
# first start opens; a later start hands its file to the running copy and
# ends; a later start without a file ends silently; the flowcharts opened are
# remembered in the user's configuration folder.
set -euo pipefail
editor="$1"
sample="$2"
work=$(mktemp -d)
first=
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/config"
export XDG_CONFIG_DIRS="$work/no-config"
export QT_LOGGING_RULES="qen.startup.info=true;qen.files.info=true"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/files/sub"
cp "$sample" "$work/files/first chart.xml"
cp "$sample" "$work/files/sub/second.xml"
printf 'tune\r\n120\r\n0\r\n3,40,0,0,0\r\n' > "$work/files/tune.mel"

wait_for() {  # text file
  for _ in $(seq 1 300); do  # up to 30 s: a loaded machine starts slowly
    grep -qF "$1" "$2" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAIL: \"$1\" did not appear" >&2
  cat "$2" >&2
  exit 1
}

# A later start: it must end by itself, with status 0, without a window of its own.
later() {  # folder arguments...
  local folder="$1"
  shift
  if ! (cd "$folder" && timeout 30 "$editor" "$@") 2> "$work/later.log"; then
    echo "FAIL: a later start with [$*] did not end by itself with status 0" >&2
    cat "$work/later.log" >&2
    exit 1
  fi
  if grep -q "main window painted" "$work/later.log"; then
    echo "FAIL: a later start with [$*] showed a window" >&2
    exit 1
  fi
}

# Relative names are taken from the folder each start was made in.
(cd "$work/files" && exec "$editor" "first chart.xml") 2> "$work/first.log" &
first=$!
wait_for "flowchart opened: $work/files/first chart.xml" "$work/first.log"

later "$work/files/sub" second.xml
wait_for "flowchart opened: $work/files/sub/second.xml" "$work/first.log"

later "$work" files/tune.mel
wait_for "melody opened: $work/files/tune.mel" "$work/first.log"

lines=$(wc -l < "$work/first.log")
later "$work"
sleep 0.5
if [ "$(wc -l < "$work/first.log")" -ne "$lines" ]; then
  echo "FAIL: a later start without a file changed the running editor" >&2
  tail -n +$((lines + 1)) "$work/first.log" >&2
  exit 1
fi
kill -0 "$first"

recent=$(cat "$XDG_CONFIG_HOME/qen-editor/recent-files")
expected=$(printf '%s\n%s' "$work/files/sub/second.xml" "$work/files/first chart.xml")
if [ "$recent" != "$expected" ]; then
  echo "FAIL: recent files are:" >&2
  echo "$recent" >&2
  exit 1
fi
echo "editor hand-over: all checks passed"

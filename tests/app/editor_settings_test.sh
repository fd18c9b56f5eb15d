#!/usr/bin/env bash
# The editor as a process on the offscreen platform takes its settings file
# from the user's configuration folder, else from the system's, else from
# beside the program.
set -euo pipefail
editor="$1"
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
export QT_LOGGING_RULES="qen.startup.info=true"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/program" "$work/home/.config/qen-editor" "$work/config/qen-editor" \
  "$work/site/qen-editor"
cp "$editor" "$work/program/qen-editor"

settings() {  # file width height
  printf '[System]\r\nWindowSize=%d,%d\r\n' "$2" "$3" > "$1"
}

# Starts the editor with the given environment and checks the size of its first window.
expect_window() {  # description expected-log-text env-assignments...
  local what="$1" expected="$2"
  shift 2
  env -u XDG_CONFIG_HOME -u XDG_CONFIG_DIRS "$@" "$work/program/qen-editor" 2> "$work/log" &
  pid=$!
  for _ in $(seq 1 300); do  # up to 30 s: a loaded machine starts slowly
    grep -q "main window painted" "$work/log" 2>/dev/null && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
  if ! grep -q "$expected" "$work/log"; then
    echo "FAIL: $what: expected \"$expected\"" >&2
    cat "$work/log" >&2
    exit 1
  fi
}

settings "$work/program/Qen.inf" 1280 900
settings "$work/site/qen-editor/Qen.inf" 1400 1000
settings "$work/config/qen-editor/Qen.inf" 1600 1000
settings "$work/home/.config/qen-editor/Qen.inf" 1500 950

expect_window "XDG_CONFIG_HOME first" "1600 x 1000 fixed" \
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/site"
expect_window "~/.config without XDG_CONFIG_HOME" "1500 x 950 fixed" \
  HOME="$work/home" XDG_CONFIG_DIRS="$work/site"
rm "$work/home/.config/qen-editor/Qen.inf"
expect_window "the system's folder when the user has none" "1400 x 1000 fixed" \
  HOME="$work/home" XDG_CONFIG_DIRS="$work/site"
expect_window "beside the program when no folder has one" "1280 x 900 fixed" \
  HOME="$work/home" XDG_CONFIG_DIRS="$work/nothing"
rm "$work/program/Qen.inf"
expect_window "defaults without any file" "1024 x 768 resizable" \
  HOME="$work/home" XDG_CONFIG_DIRS="$work/nothing"
echo "editor settings: all checks passed"

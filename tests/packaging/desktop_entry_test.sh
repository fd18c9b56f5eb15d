#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate without errors or warnings
# (hints, such as the entry naming two main categories, are allowed).
set -uo pipefail
entry="$1"
output=$(desktop-file-validate "$entry" 2>&1)
status=$?
[ -n "$output" ] && echo "$output"
if [ $status -ne 0 ] || grep -qE '(error|warning):' <<<"$output"; then
  echo "FAIL: $entry does not validate" >&2
  exit 1
fi
echo "desktop entry: valid"

#!/usr/bin/env bash
# The manual pages render with man without a warning, and qen-cli's page
# describes every command and option that "qen-cli --help" lists.
set -euo pipefail
folder="$1"
cli="$2"
export LC_ALL=C.UTF-8 MANWIDTH=80
failed=0
for page in "$folder"/qen-editor.1 "$folder"/qen-cli.1; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "FAIL: $page renders with warnings:" >&2
    echo "$warnings" >&2
    failed=1
  fi
done

# Commands are the help's lines indented by two spaces; options start with "--".
rendered=$(man -l "$folder/qen-cli.1" 2>/dev/null)
section=$(sed -n '/^COMMANDS$/,/^[A-Z]/p' <<<"$rendered")
help=$("$cli" --help)
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' <<<"$help")
options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
[ -n "$commands" ] || { echo "FAIL: no commands found in qen-cli --help" >&2; exit 1; }
for command in $commands; do
  # A command is an item of its own in the COMMANDS section.
  if ! grep -qE "^ {7}$command( |$)" <<<"$section"; then
    echo "FAIL: qen-cli.1 does not describe the command \"$command\"" >&2
    failed=1
  fi
done
for option in $options; do
  if ! grep -qF -- "$option" <<<"$rendered"; then
    echo "FAIL: qen-cli.1 does not describe the option \"$option\"" >&2
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "man pages: $(wc -w <<<"$commands") commands, $(wc -w <<<"$options") options described"
exit $failed

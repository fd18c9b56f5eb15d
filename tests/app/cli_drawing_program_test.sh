#!/usr/bin/env bash
# qen-cli as a process: it links no Qt, and hands export and print to
# qen-cli-draw, whose output and exit status reach the caller unchanged.
set -euo pipefail
cli="$1"
chart="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
fail() { echo "FAIL: $*" >&2; exit 1; }

if ldd "$cli" | grep -q 'libQt6'; then fail "qen-cli links Qt: $(ldd "$cli" | grep libQt6)"; fi

"$cli" export "$chart" "$work/chart.png" --chart 0 || fail "export ended with $?"
[ "$(head -c 8 "$work/chart.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "export did not write a PNG"

"$cli" print "$chart" --pdf "$work/class.pdf" || fail "print ended with $?"
pdfinfo "$work/class.pdf" | grep -qE '^Pages: +1$' || fail "print did not write a one-page PDF"

# A file that cannot be loaded: named on standard error, exit status 1.
status=0
"$cli" print "$work/missing.xml" "$chart" --pdf "$work/two.pdf" 2> "$work/err" || status=$?
[ "$status" -eq 1 ] || fail "print with a missing file ended with $status, not 1"
grep -q "missing.xml" "$work/err" || fail "the missing file is not named: $(cat "$work/err")"

# Bad usage is still answered by qen-cli's own parser.
status=0
"$cli" export "$chart" 2> /dev/null || status=$?
[ "$status" -eq 2 ] || fail "export without its picture ended with $status, not 2"
echo "qen-cli hands export and print to qen-cli-draw"

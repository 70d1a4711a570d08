#!/bin/bash
# tarnwick-cli --help: every command, grouped by family in a fixed order,
# the same text on every run; no arguments print it to stderr with status 2.
set -u
cli="$1"
fail() { echo "FAIL: $*"; exit 1; }

help=$("$cli" --help) || fail "--help status"
[ "$help" = "$("$cli" --help)" ] || fail "help text changes between runs"
headings=$(printf '%s\n' "$help" | grep -E '^[a-z ]+:$' | tr '\n' ' ')
# A build with the Qt layers adds the printing family at the end.
case "$headings" in
"usage: library: profile files: schemes: texts: compressor: " | \
    "usage: library: profile files: schemes: texts: compressor: printing: ") ;;
*) fail "family headings: $headings" ;;
esac
for command in "library new" "library check" "check INDEX" "profile get" "scheme compile" \
    "scheme tokens" "highlight" "text search" "text convert" "compress" "decompress"; do
    printf '%s\n' "$help" | grep -q "tarnwick-cli $command" || fail "help lacks $command"
done
library_line=$(printf '%s\n' "$help" | grep -n 'tarnwick-cli library check' | cut -d: -f1)
check_line=$(printf '%s\n' "$help" | grep -n 'tarnwick-cli check' | cut -d: -f1)
profile_heading=$(printf '%s\n' "$help" | grep -n '^profile files:' | cut -d: -f1)
[ "$library_line" -lt "$check_line" ] && [ "$check_line" -lt "$profile_heading" ] ||
    fail "check is not listed under library after library check"

"$cli" 2> /dev/null; [ $? -eq 2 ] || fail "no arguments must exit 2"
[ "$("$cli" 2>&1 >/dev/null)" = "$help" ] || fail "no arguments must print the help to stderr"
exit 0

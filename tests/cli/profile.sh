#!/usr/bin/env bash
# tarnwick-cli profile: values, lists in file order, exit codes.
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
ini=$dir/t.ini
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" profile set "$ini" s c 1 || fail "set"
"$cli" profile set "$ini" s a "10;20" || fail "set"
"$cli" profile set "$ini" T z 0 || fail "set"
[ "$("$cli" profile get "$ini" S A)" = "10;20" ] || fail "get folds case"
[ "$("$cli" profile get "$ini" s missing dflt)" = "dflt" ] || fail "default"
[ "$("$cli" profile keys "$ini" s | tr '\n' ' ')" = "c a " ] || fail "keys in file order"
[ "$("$cli" profile sections "$ini" | tr '\n' ' ')" = "s T " ] || fail "sections"
[ "$("$cli" profile int "$ini" s c 7)" = "1" ] || fail "int"
[ "$("$cli" profile int "$ini" s a 7)" = "7" ] || fail "int of a non-number"
"$cli" profile delete-key "$ini" s c || fail "delete-key"
"$cli" profile erase-section "$ini" t || fail "erase-section"
[ "$(cat "$ini")" = "$(printf '[s]\r\na=10;20\r')" ] || fail "file bytes: $(od -c "$ini")"

"$cli" profile set "$dir/no/such/dir.ini" s k v 2>"$dir/err"; [ $? = 1 ] || fail "write failure exit status"
grep -q "^Unable to write to $dir/no/such/dir.ini$" "$dir/err" || fail "write failure message"
"$cli" profile get "$ini" 2>/dev/null; [ $? = 2 ] || fail "usage exit status"
"$cli" profile 2>/dev/null; [ $? = 2 ] || fail "usage exit status without verb"
echo ok

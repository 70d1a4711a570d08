#!/bin/bash
# tarnwick-cli library search: hits printed as category, title, line:column
# and the line, in the tree's order; exit 1 when nothing is found, 2 for a
# bad command line; unreadable titles named on standard error.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
lib="$dir/lib.ini"
tab=$'\t'

printf '{ begin }\r\nS := '"'"'begin'"'"';\r\nbegin end;\r\nprogram Begin;\r\n' > "$dir/lib.dat"
printf '[Pascal]\r\nDemo=0;52\r\n[Apps]\r\nBegin here=0;0\r\n' > "$lib"

out=$("$cli" library search "$lib" begin) || fail "plain search"
[ "$out" = "Pascal${tab}Demo${tab}1:3${tab}{ begin }
Pascal${tab}Demo${tab}2:7${tab}S := 'begin';
Pascal${tab}Demo${tab}3:1${tab}begin end;
Pascal${tab}Demo${tab}4:9${tab}program Begin;" ] || fail "plain output: $out"

[ "$("$cli" library search "$lib" Begin --case --in both)" = "Apps${tab}Begin here${tab}0:1${tab}Begin here
Pascal${tab}Demo${tab}4:9${tab}program Begin;" ] \
    || fail "match case over titles and texts"
[ "$("$cli" library search "$lib" '^b[a-z]+n' --regex | cut -f3)" = "3:1" ] || fail "regex"
[ "$("$cli" library search "$lib" egi --word)" = "" ] || fail "whole word"
[ "$("$cli" library search "$lib" begin --tokens comment --case --builtin | cut -f3)" = "1:3" ] || fail "comment filter"
[ "$("$cli" library search "$lib" begin --tokens string --case --builtin | cut -f3)" = "2:7" ] || fail "string filter"
[ "$("$cli" library search "$lib" begin --tokens code --case --builtin | cut -f3)" = "3:1" ] || fail "code filter"

"$cli" library search "$lib" nothing-here > /dev/null; [ $? -eq 1 ] || fail "nothing found must exit 1"
"$cli" library search "$lib" begin --tokens comment 2> /dev/null; [ $? -eq 2 ] || fail "--tokens without a scheme"
"$cli" library search "$lib" begin --in nowhere 2> /dev/null; [ $? -eq 2 ] || fail "bad --in"
"$cli" library search "$lib" '(a' --regex 2> "$dir/err"; [ $? -eq 1 ] || fail "bad expression status"
grep -q "Unmatched parenthesis" "$dir/err" || fail "bad expression message"

# An unreadable value is named once; the rest is still searched.
printf '[Broken]\r\nBad=x;1\r\n' >> "$lib"
out=$("$cli" library search "$lib" begin 2> "$dir/err") || fail "search with a broken title"
[ "$(echo "$out" | wc -l)" -eq 4 ] || fail "hits lost next to a broken title"
[ "$(grep -c "Bad: 'x' is not a valid integer value" "$dir/err")" -eq 1 ] || fail "broken title not named once"
echo "library search: all passed"

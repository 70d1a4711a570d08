#!/usr/bin/env bash
# tarnwick-cli scheme tokens and highlight: token runs over a loaded text,
# HTML and RTF export, errors and usage.
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# CR LF becomes one stored CR: "a" 0..1, CR LF 1..2, "{ x }" 2..7, "$1F" 7..10.
printf 'a\r\n{ x }$1F' > "$dir/in.pas"
expected=$(printf '0 1 2\n1 1 0\n2 5 8\n7 3 6')
[ "$("$cli" scheme tokens --builtin "$dir/in.pas")" = "$expected" ] ||
    fail "builtin token runs: $("$cli" scheme tokens --builtin "$dir/in.pas")"

# A compiled scheme file: letters are 1, everything else stays 0.
printf "%%%%tokens 1 '[a-z]' '[a-z]' * '[^a-z]' 0\r\n" > "$dir/s.txt"
"$cli" scheme compile "$dir/s.txt" -o "$dir/s.dat" >/dev/null || fail "compile"
[ "$("$cli" scheme tokens "$dir/s.dat" "$dir/in.pas" | tr '\n' ' ')" = "0 1 1 1 3 0 4 1 1 5 5 0 " ] ||
    fail "file scheme runs: $("$cli" scheme tokens "$dir/s.dat" "$dir/in.pas")"

: > "$dir/empty.txt"
[ -z "$("$cli" scheme tokens --builtin "$dir/empty.txt")" ] || fail "empty text has no runs"

"$cli" highlight --builtin --format html "$dir/in.pas" > "$dir/out.html" || fail "html"
grep -q '<FONT COLOR="#0000ff"><I>{ x }' "$dir/out.html" || fail "html comment run: $(cat "$dir/out.html")"
grep -q '<TITLE>in.pas</TITLE>' "$dir/out.html" || fail "html title"
"$cli" highlight --builtin --format rtf "$dir/in.pas" -o "$dir/out.rtf" || fail "rtf"
head -c 13 "$dir/out.rtf" | grep -q '^{\\rtf1 \\deff1' || fail "rtf header: $(head -c 40 "$dir/out.rtf")"
grep -qF '\i1 \cf3 \{ x \}' "$dir/out.rtf" || fail "rtf comment run: $(cat "$dir/out.rtf")"

"$cli" scheme tokens --builtin "$dir/missing.pas" 2>"$dir/err"; [ $? = 1 ] || fail "missing input status"
grep -q "cannot be opened for reading" "$dir/err" || fail "missing input message: $(cat "$dir/err")"
printf 'not a scheme' > "$dir/bad.dat"
"$cli" scheme tokens "$dir/bad.dat" "$dir/in.pas" 2>"$dir/err"; [ $? = 1 ] || fail "bad scheme status"
grep -q "^bad.dat: " "$dir/err" || fail "bad scheme message: $(cat "$dir/err")"
"$cli" scheme tokens --builtin 2>/dev/null; [ $? = 2 ] || fail "usage status"
"$cli" highlight --builtin --format pdf "$dir/in.pas" 2>/dev/null; [ $? = 2 ] || fail "format usage status"
"$cli" highlight --builtin "$dir/in.pas" 2>/dev/null; [ $? = 2 ] || fail "missing format usage status"
echo ok

#!/usr/bin/env bash
# tarnwick-cli scheme compile / scheme dump: output names, includes from the
# script's folder, the dump matching the golden references, compile errors
# printed exactly, bad compiled files and usage errors.
set -u
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
data=$(cd "$(dirname "$0")/../data/scheme/compile" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$dir/scripts" "$dir/elsewhere"
cp "$data/demo.scm" "$data/include.scm" "$data/include_colours.inc" \
   "$data/error_range_error.scm" "$dir/scripts/"
cd "$dir/elsewhere" || fail "cd"

# Default output name: the script's with .dat.
"$cli" scheme compile ../scripts/demo.scm >"$dir/out" || fail "compile demo"
[ -f ../scripts/demo.dat ] || fail "default output name"
grep -q "^../scripts/demo.dat: [0-9]* bytes$" "$dir/out" || fail "compile report: $(cat "$dir/out")"
"$cli" scheme dump ../scripts/demo.dat >"$dir/dump" || fail "dump demo"
cmp -s "$dir/dump" "$data/demo.expected" || fail "dump differs: $(diff "$dir/dump" "$data/demo.expected" | head)"

# -o, and #include <...> found beside the script, not in the current folder.
"$cli" scheme compile ../scripts/include.scm -o "$dir/inc.out" >/dev/null || fail "compile include"
[ ! -e ../scripts/include.dat ] || fail "-o ignored"
"$cli" scheme dump "$dir/inc.out" | cmp -s - "$data/include.expected" || fail "include dump differs"

# A compile error: exit 1, the exception text alone on stderr, no output file.
"$cli" scheme compile ../scripts/error_range_error.scm >"$dir/out" 2>"$dir/err"
[ $? = 1 ] || fail "compile error exit status"
cmp -s "$dir/err" "$data/error_range_error.expected" || fail "compile error text: $(cat "$dir/err")"
[ ! -s "$dir/out" ] || fail "compile error wrote to stdout"
[ ! -e ../scripts/error_range_error.dat ] || fail "compile error left an output file"

# Bad compiled files: the scheme's wrapped message, exit 1.
head -c 40 ../scripts/demo.dat >"$dir/cut.dat"
"$cli" scheme dump "$dir/cut.dat" >/dev/null 2>"$dir/err"; [ $? = 1 ] || fail "cut file exit status"
grep -q "^cut.dat: " "$dir/err" || fail "cut file message: $(cat "$dir/err")"
printf '\x31\x00\x00\x00\x00\x00' >"$dir/old.dat"
"$cli" scheme dump "$dir/old.dat" >/dev/null 2>"$dir/err"; [ $? = 1 ] || fail "old version exit status"
grep -q "Expected version was 51 read version was 49" "$dir/err" || fail "old version message"
"$cli" scheme dump "$dir/none.dat" 2>/dev/null; [ $? = 1 ] || fail "missing file exit status"

# Usage errors.
"$cli" scheme compile 2>/dev/null; [ $? = 2 ] || fail "compile without script"
"$cli" scheme compile a.scm -o 2>/dev/null; [ $? = 2 ] || fail "-o without name"
"$cli" scheme dump a.dat b.dat 2>/dev/null; [ $? = 2 ] || fail "dump of two files"
echo ok

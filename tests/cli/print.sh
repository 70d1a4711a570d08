#!/bin/bash
# tarnwick-cli print: a library or one category as a highlighted booklet in a PDF file, read back
# with pdftotext. The command exists only in a build with the Qt layers; elsewhere there is nothing
# to test.
set -u
cli="$1"
"$cli" --help 2>&1 | grep -q 'tarnwick-cli print' || { echo "print not built: skipped"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
lib="$dir/lib.ini"

"$cli" library new "$lib" Main First || fail "new"
"$cli" library append "$lib" Main Second 'begin end;' || fail "append"
"$cli" library append "$lib" Tools Helper 'procedure P;' || fail "append"

"$cli" print --pdf "$dir/all.pdf" "$lib" > "$dir/out" || fail "print of the library"
grep -q '^3 snippets' "$dir/out" || fail "summary: $(cat "$dir/out")"
pdftotext -layout "$dir/all.pdf" - | tr -d '\f' > "$dir/all.txt" || fail "pdftotext"
grep -Eq '^ +First +2$' "$dir/all.txt" || fail "contents entry of First"
grep -Eq '^ +Helper +4$' "$dir/all.txt" || fail "contents entry of Helper"
grep -Eq '^Helper +Tools$' "$dir/all.txt" || fail "heading of Helper's page"

"$cli" print --pdf "$dir/one.pdf" "$lib" tools > /dev/null || fail "print of one category"
pdftotext -layout "$dir/one.pdf" - | grep -q 'procedure P;' || fail "category text"
pdftotext -layout "$dir/one.pdf" - | grep -q 'Second' && fail "another category printed"

# Usage errors exit 2; nothing to print or an unreadable library exits 1 with a message.
"$cli" print "$lib" 2>/dev/null; [ $? -eq 2 ] || fail "missing --pdf"
"$cli" print --pdf "$dir/x.pdf" "$lib" Nowhere 2> "$dir/err"; [ $? -eq 1 ] || fail "empty category status"
grep -q 'Nothing to print' "$dir/err" || fail "empty category message"
[ -e "$dir/x.pdf" ] && fail "a PDF for nothing"
exit 0

#!/usr/bin/env bash
# tarnwick-cli scheme style-string: the style string of a compiled scheme,
# before and after taking a Delphi IDE's highlight settings.
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
sample=$dir/sample.dat
"$cli" scheme compile "$(dirname "$0")/../data/scheme/ide/sample.txt" -o "$sample" >/dev/null ||
    fail "compiling the sample scheme"
export TARNWICK_HOME=$dir

head='Quorvel6:OPT#8#67099632GWD#2#34GCL#11#-2147483633WRC#1#0IDS#1#1WRO#3#>|:FON#11#Courier NewFOS#2#10'
tail='GDF#1#0MDF#1#0SDF#1#0BDF#1#0FOC#1#1RMG#2#80LNN#13#MS Sans SerifLNS#1#8LNC#11#-2147483640LNT#1#1LNE#0##END#'
out=$("$cli" scheme style-string "$sample") || fail "style-string"
[ "$out" = "${head}STC#8#16777215STB#8#16711680TBC#0#TBD#1#4EFF#37#2,0,0,16777215,;5,8388608,16777215,I;$tail" ] ||
    fail "style string: $out"

printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"Comment"="255,,B"\r\n"Marked_block"="1,2"\r\n' \
    '[HKEY_CURRENT_USER\Software\Borland\Delphi\2.0\Highlight]' > "$dir/user.reg"
out=$("$cli" scheme style-string --ide 2 "$sample") || fail "--ide 2"
[ "$out" = "${head}STC#1#1STB#1#2TBC#0#TBD#1#4EFF#33#2,0,0,16777215,;5,255,16777215,B;$tail" ] ||
    fail "style string after --ide 2: $out"

"$cli" scheme style-string --ide 4 "$sample" 2>"$dir/err"; [ $? = 1 ] || fail "not installed status"
grep -q '^Delphi 4.x is not installed$' "$dir/err" || fail "not installed message"
"$cli" scheme style-string --ide 5 "$sample" 2>"$dir/err"; [ $? = 1 ] || fail "bad version status"
grep -q '^SetToDelphi: Invalid version number (5)$' "$dir/err" || fail "bad version message"
printf 'not a scheme' > "$dir/bad.dat"
"$cli" scheme style-string "$dir/bad.dat" 2>"$dir/err"; [ $? = 1 ] || fail "bad file status"
grep -q "^bad.dat: " "$dir/err" || fail "bad file message: $(cat "$dir/err")"
"$cli" scheme style-string 2>/dev/null; [ $? = 2 ] || fail "usage status"
"$cli" scheme style-string --ide 22 "$sample" 2>/dev/null; [ $? = 2 ] || fail "usage status for --ide"
# The built-in scheme, and a dump after taking the IDE's settings.
"$cli" scheme style-string --builtin | grep -q '^Quorvel6:OPT#8#67099632' || fail "style-string --builtin"
"$cli" scheme dump --builtin --ide 2 > "$dir/dump" || fail "dump --builtin --ide 2"
grep -q '^effect 5 style b fore 0x000000ff ' "$dir/dump" || fail "IDE comment colour: $(grep '^effect 5' "$dir/dump")"
"$cli" scheme dump --builtin | grep -q '^effect 5 style i fore 0x00ff0000 ' || fail "built-in comment effect"

echo ok

#!/bin/bash
# tarnwick-cli library (and its short form check): a library built, changed and checked from the
# command line; an interrupted operation left on disk is finished by check.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
lib="$dir/lib.ini"

"$cli" library new "$lib" Main First || fail "new"
[ -f "$dir/lib.dat" ] && [ ! -s "$dir/lib.dat" ] || fail "new data file not empty"
"$cli" library append "$lib" Main A abc || fail "append A"
printf 'de' | "$cli" library append "$lib" Main B - || fail "append B"
[ "$("$cli" library cat "$lib" Main B)" = "de" ] || fail "read B"
"$cli" library remove "$lib" Main A || fail "remove A"
[ "$(grep -a '^B=' "$lib" | tr -d '\r')" = "B=2;4" ] || fail "B not lowered"
"$cli" library save "$lib" Main B xyz || fail "save"
[ "$(grep -a '^B=' "$lib" | tr -d '\r')" = "B=4;7" ] || fail "save value"
[ "$(wc -c < "$dir/lib.dat")" -eq 9 ] || fail "data size after save"
"$cli" library rename-title "$lib" Main B Bee || fail "rename-title"
"$cli" library move "$lib" Main Bee Other || fail "move"
"$cli" library rename-category "$lib" Other Code || fail "rename-category"
[ "$("$cli" library cat "$lib" Code Bee)" = "xyz" ] || fail "read after renames"
printf '[b]\r\nz=0;0\r\n[A]\r\nY=0;0\r\nx=0;0\r\n' >> "$lib"
[ "$("$cli" library list "$lib")" = "$(printf 'A\n  x\n  Y\nb\n  z\nCode\n  Bee\nMain\n  First')" ] || fail "list order"
"$cli" library delete-category "$lib" A || fail "delete-category"
"$cli" library delete-category "$lib" b || fail "delete-category"
"$cli" library check "$lib" > "$dir/out" || fail "check of a sound library"
grep -q '^consistent' "$dir/out" || fail "check output"
"$cli" check "$lib" | cmp -s - "$dir/out" || fail "the short form check differs from library check"

# Usage errors exit 2; program faults exit 1.
"$cli" library frobnicate "$lib" 2>/dev/null; [ $? -eq 2 ] || fail "usage error status"
"$cli" library rename-title "$lib" Main First Bee || fail "rename-title in Main"
"$cli" library move "$lib" Code Bee Main 2>/dev/null; [ $? -eq 1 ] || fail "move onto existing title"

# An operation interrupted after its commit point is finished by check.
cp "$dir/lib.dat" "$dir/lib.bak"; printf 'q\r\n' >> "$dir/lib.bak"
printf '[Main]\r\nFirst=0;0\r\n[Code]\r\nBee=4;7\r\nQ=9;10\r\n' > "$lib.new~"
printf 'commit\r\n' > "$dir/lib.jnl"
"$cli" check "$lib" > "$dir/out" || fail "check after interrupted operation"
grep -q 'finished an interrupted operation' "$dir/out" || fail "roll forward not reported"
[ "$("$cli" library cat "$lib" Code Q)" = "q" ] || fail "rolled-forward text"
[ ! -e "$dir/lib.jnl" ] && [ ! -e "$dir/lib.bak" ] || fail "work files left"

# A value outside the data file makes the library inconsistent.
printf '[Broken]\r\nBad=5;900\r\nWorse=x;1\r\n' >> "$lib"
"$cli" check "$lib" > "$dir/out"; [ $? -eq 1 ] || fail "inconsistent library passed"
grep -q "'x' is not a valid integer value" "$dir/out" || fail "bad value not named"

# Writing the data file of the damaged library is refused; once the broken
# titles are gone it works again.
printf 'Main;First;0;8;%s;S;One\r\n' "$lib" > "$dir/records"
"$cli" library commit-import "$lib" "$dir/records" 2> "$dir/err"; [ $? -eq 1 ] || fail "import into a damaged library"
grep -q 'tarnwick-cli library check' "$dir/err" || fail "damage message"
sed -i '/^\[Broken\]/,$d' "$lib"

# Import records from a file, then compaction drops the replaced text.
src="$dir/src.ini"
"$cli" library new "$src" S One || fail "new source"
"$cli" library save "$src" S One "imported" || fail "source text"
printf 'Main;First;0;8;%s;S;One\r\nMain;Bee2;0;8;%s;S;One\n' "$src" "$src" > "$dir/records"
"$cli" library commit-import "$lib" "$dir/records" || fail "commit-import"
[ "$("$cli" library cat "$lib" Main Bee2)" = "imported" ] || fail "imported text"
rm -f "$lib"; printf '[Main]\r\nA=5;8\r\n' > "$lib"; printf 'old\r\nnew\r\n' > "$dir/lib.dat"
"$cli" library compact "$lib" > "$dir/out" || fail "compact"
[ "$(cat "$dir/lib.dat")" = "$(printf 'new\r\n')" ] && [ "$("$cli" library cat "$lib" Main A)" = "new" ] || fail "compacted library"
printf '[Main]\r\nA=0;3\r\nB=1;2\r\n' > "$lib"
"$cli" library compact "$lib" 2> "$dir/err"; [ $? -eq 1 ] || fail "compact of overlapping texts"
grep -q 'overlaps the text of \[Main\] A' "$dir/err" || fail "overlap not reported"

# The command line takes the library's lock: a save waits while another
# program (flock(1) on the same lock file) holds it, and then goes ahead.
if command -v flock > /dev/null; then
    two="$dir/two.ini"
    "$cli" library new "$two" M T || fail "new second library"
    flock -x "$dir/two.lck" sh -c 'echo > "$1/held"; sleep 1; echo holder >> "$1/order"' sh "$dir" &
    while [ ! -e "$dir/held" ]; do sleep 0.05; done
    "$cli" library save "$two" M T "after the lock" || fail "save after a held lock"
    echo cli >> "$dir/order"
    wait
    [ "$(cat "$dir/order")" = "$(printf 'holder\ncli')" ] || fail "save did not wait for the lock"
    [ "$("$cli" library cat "$two" M T)" = "after the lock" ] || fail "text saved after the lock"
fi
echo ok

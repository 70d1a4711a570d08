#!/usr/bin/env bash
# The real program on an X server of its own, driven as a person drives it:
# start it on a copy of the bundled sample library, pick the first title,
# type at the end of its text, save with Ctrl+S, quit through the File menu;
# start it again, pick the same title, type once more, save, quit. The second
# edit can only follow the first in the library if the second start showed
# the first edit, saved.
#
# Usage: xvfb_walk.sh TARNWICK BUNDLE_FOLDER TARNWICK_CLI
# Exits 77 (skipped) when Xvfb is not installed.
set -euo pipefail

program=$1
bundle=$2
cli=$3

if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is not installed: skipped"
    exit 77
fi
command -v xdotool >/dev/null || { echo "xdotool is not installed (scripts/bootstrap)"; exit 1; }

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The application folder: the sample library, the language file and the
# schemes as the build bundles them, and settings that skip the first-run
# message and place the window where the clicks below expect it.
folder=$work/app
mkdir -p "$folder"
cp "$bundle/Tarnwick.Ini" "$bundle/Tarnwick.dat" "$bundle/english.lng" "$folder/"
cp -r "$bundle/Scripts" "$folder/"
printf '%s\r\n' '[Options]' 'HasRun1=1' 'LoadDefault=1' 'DefaultIni=Delphi Code' \
    'AutoSave=0' 'Remember=1' 'Left=0' 'Top=0' 'Width=800' 'Height=600' 'TreeWidth=200' \
    '[Files]' 'Delphi Code=Tarnwick.Ini' > "$folder/main.ini"

# A display number nobody uses, from :90 to :99.
for n in $(seq 90 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || { echo "no free display among :90 to :99"; exit 1; }

fail() {
    echo "FAIL: $*"
    exit 1
}

# One session: start, pick the first title, type `marker` at its end, save,
# quit.
session() {
    local marker=$1
    TARNWICK_HOME=$folder QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Tarnwick Version' | head -n1) ||
        fail "the window did not appear"
    sleep 1
    # The tree is the left part of the window, below the bars: a click
    # there gives it the focus; Home, Right and Down open the first
    # category and show its first title.
    xdotool mousemove --window "$window" 100 300 click 1
    sleep 0.3
    xdotool key --delay 150 Home Right Down
    sleep 0.5
    # Into the code pane, to the end of the text, type, save.
    xdotool mousemove --window "$window" 500 300 click 1
    sleep 0.3
    xdotool key ctrl+End
    xdotool type --delay 30 "$marker"
    xdotool key ctrl+s
    sleep 0.5
    xdotool key alt+f
    sleep 0.3
    xdotool key x
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        fail "the program did not quit"
    fi
    wait "$app_pid" || fail "the program exited with an error: $(cat "$work/program.log")"
    app_pid=
}

session "{first}"
grep -q '{first}' "$folder/Tarnwick.dat" || fail "the first edit was not saved"
session "{second}"
grep -q '{first}{second}' "$folder/Tarnwick.dat" ||
    fail "the second start did not show the saved edit"
"$cli" library check "$folder/Tarnwick.Ini" >/dev/null || fail "the library is damaged"
echo "walk done on $DISPLAY"

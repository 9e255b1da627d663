#!/usr/bin/env bash
# The real program under Xvfb, in a program folder of its own: it starts on the draw window,
# draws a number with Space, quits with Ctrl+Q and writes its settings files; a second run keeps
# what the first one drew. Screenshots go to <build>/e2e-shots/ for a person to look at.
# Usage: drawwindow.sh <folder of the tumo executable>
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"

# ---- first run: the draw window rolls; quitting writes the settings files ----
start_tumo
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Geometry: 1920x1080" || fail "the window does not cover the screen: $geometry"
sleep 2
screenshot drawwindow-rolling
press ctrl+q
wait_exit
[ -s "$prog/TumoStatus.dat" ] || fail "the status file was not written"
[ -s "$prog/default.TumoScheme" ] || fail "the scheme file was not written"
[ -s "$prog/data.dat" ] && [ -s "$prog/index.dat" ] || fail "the number pool was not created"
ls "$XDG_DATA_HOME"/mime/packages/*.xml >/dev/null 2>&1 || fail "the scheme file type was not registered"
cp "$prog/default.TumoScheme" "$work/scheme-undrawn"

# ---- second run: Space draws a number, which the saved scheme holds ----
start_tumo
sleep 1
press space
sleep 3
screenshot drawwindow-drawn
press ctrl+q
wait_exit
cmp -s "$prog/default.TumoScheme" "$work/scheme-undrawn" &&
    fail "the drawn number did not reach the scheme file"
cp "$prog/default.TumoScheme" "$work/scheme-drawn"
cp "$prog/TumoStatus.dat" "$work/status-drawn"

# ---- third run: the state is kept as it was ----
start_tumo
sleep 1
press ctrl+q
wait_exit
cmp -s "$prog/default.TumoScheme" "$work/scheme-drawn" ||
    fail "the third run changed the scheme file: the state was not kept"
cmp -s "$prog/TumoStatus.dat" "$work/status-drawn" ||
    fail "the third run changed the status file: the state was not kept"

echo "PASS: screenshots in $shots"

#!/usr/bin/env bash
# The real program under Xvfb with two X screens of different sizes: with "Monitor: 2" the draw
# window opens on the second screen and covers it, every symbol on it; the first screen stays
# empty. Screenshots of both screens go to <build>/e2e-shots/.
# Usage: two_screens.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
export E2E_SCREENS="1920x1080x24 1280x1024x24"
e2e_begin "${1:-}"
e2e_helper "${2:-}"
"$check" monitor "$prog" 2 || fail "the monitor option cannot be set"

start_tumo
sleep 2
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "(screen: 1)" || fail "the draw window is not on the second screen: $geometry"
echo "$geometry" | grep -q "Geometry: 1280x1024" || fail "the window does not cover the screen: $geometry"
DISPLAY="$DISPLAY.1" import -window root "$shots/two-screens-second.png" || fail "no screenshot"
DISPLAY="$DISPLAY.0" import -window root "$shots/two-screens-first.png" || fail "no screenshot"
[ -z "$(xdotool search --screen 0 --onlyvisible --name '^Tumo$' 2>/dev/null)" ] ||
    fail "a draw window is on the first screen too"

press ctrl+q
wait_exit
seen=$("$check" symbols "$prog" 0 1 "$shots/two-screens-second.png") ||
    fail "the symbols cannot be read on the second screen"
[ "$seen" = "000" ] || fail "the second screen shows the symbols '$seen', not 000"

echo "PASS: the draw window covered the second screen; screenshots in $shots"

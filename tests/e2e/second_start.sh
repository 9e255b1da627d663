#!/usr/bin/env bash
# A second start in a program folder where Tumo already runs, under Xvfb without a window manager:
#   1. started right behind the first, before the first one's full-screen show is up, its
#      refusal still ends on top of the show (the screenshot shows the box, not the show);
#   2. the draw key pressed on the show while the box is up draws on the show and leaves the box
#      where it is: it does not close unseen;
#   3. its OK ends the second start with a failure code; the show runs on.
# Usage: second_start.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"
command -v convert >/dev/null || skip "convert is not installed (ImageMagick)"

"$check" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"

(cd "$work" && exec "$prog/tumo" >>"$work/tumo.log" 2>&1) &
tumo_pid=$!
sleep 0.3
(cd "$work" && exec "$prog/tumo" >>"$work/second.log" 2>&1) &
pid2=$!

# The first one's draw window over the whole screen (the box is called "Tumo" as well).
window=""
for _ in $(seq 300); do
    kill -0 "$tumo_pid" 2>/dev/null || fail "the first start ended"
    for w in $(xdotool search --onlyvisible --pid "$tumo_pid" 2>/dev/null); do
        xdotool getwindowgeometry "$w" | grep -q 1920x1080 && window=$w
    done
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || fail "no draw window within 60 s"
box=$(window_within 20 "" --pid "$pid2")
[ -n "$box" ] || fail "the second start showed no box"
grep -q 'dataFile:.*already running in this folder' "$work/second.log" ||
    fail "the second start did not say that Tumo already runs: $(cat "$work/second.log")"

# How bright the screen is where the box is: the box is light grey, the show dark.
brightness_at_box() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$box")"
    import -window root "$shots/$1.png" || fail "no screenshot"
    convert "$shots/$1.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -colorspace Gray \
        -format '%[fx:int(100*mean)]' info:
}
box_on_top() { [ "$(brightness_at_box "$1")" -ge 70 ]; }

# ---- 1. the show came up after the box ----
within 5 box_on_top second-start-box ||
    fail "the refusal is hidden under the show (brightness $(brightness_at_box second-start-box) %)"

# ---- 2. the draw key on the show ----
xdotool windowfocus "$window"
xdotool key --clearmodifiers space
wait_winners 1
sleep 1
kill -0 "$pid2" 2>/dev/null || fail "the draw key closed the second start's box"
within 5 box_on_top second-start-after-draw || fail "the box went under the show after a draw"

# ---- 3. OK ends the second start ----
confirm_box "$pid2"
for _ in $(seq 50); do
    kill -0 "$pid2" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid2" 2>/dev/null && fail "the second start did not end after OK"
wait "$pid2"
[ $? -ne 0 ] || fail "the second start ended as if it had run"

press ctrl+q
wait_exit
echo "PASS: the second start's refusal stays on top of the show and keeps off its keys"

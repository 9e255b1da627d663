#!/usr/bin/env bash
# The real program under Xvfb starts at once on settings files from elsewhere:
#   1. a status file whose pool digit count says 100000: the count is taken from the pool again,
#      the draw window shows within a few seconds, and Ctrl+Q ends it normally with the true
#      count saved;
#   2. a level asking for 1,000,000 numbers on the screen: the usual message box comes, and once
#      it is answered the draw window shows within a few seconds, with no box left over.
# Usage: crafted_sizes.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

"$check" prepare "$prog" || fail "the program folder could not be prepared"
# The pool digit count sits at byte 12 of the status file.
printf '\xa0\x86\x01\x00' | dd of="$prog/TumoStatus.dat" bs=1 seek=12 conv=notrunc 2>/dev/null

began=$(date +%s%N)
start_tumo
took=$(( ($(date +%s%N) - began) / 1000000 ))
echo "window after $took ms"
[ "$took" -lt 15000 ] || fail "the start took $took ms"
press ctrl+q
wait_exit
digits=$(od -An -tu4 -j12 -N4 "$prog/TumoStatus.dat" | tr -d ' ')
[ "$digits" -gt 0 ] && [ "$digits" -lt 100 ] || fail "the saved digit count is $digits"
echo "crafted digit count: start in $took ms, saved count $digits"

# ---- 2. a level asking for 1,000,000 numbers on the screen ----
"$check" perscreen "$prog" 1 1000000 || fail "the level could not be set"
began=$(date +%s%N)
(cd "$work" && exec "$prog/tumo" >>"$work/tumo.log" 2>&1) &
tumo_pid=$!
boxes=0
seen=" "
window=""
for _ in $(seq 150); do
    kill -0 "$tumo_pid" 2>/dev/null || fail "the program ended before its window appeared"
    window=""
    for w in $(xdotool search --onlyvisible --pid "$tumo_pid" 2>/dev/null); do
        if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 1920x1080; then
            window=$w
        else
            # The message about the numbers on the screen (and any passing window of the start,
            # which a Return leaves alone): answered as an operator would.
            case "$seen" in *" $w "*) ;; *) boxes=$((boxes + 1)) seen="$seen$w " ;; esac
            xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
            xdotool key --clearmodifiers Return
            sleep 0.3
        fi
    done
    [ -n "$window" ] && [ "$boxes" -ge 1 ] && break
    sleep 0.2
done
took=$(( ($(date +%s%N) - began) / 1000000 ))
[ "$boxes" -ge 1 ] || fail "no message about the numbers on the screen"
[ -n "$window" ] || fail "no draw window within 30 s of a level asking for 1000000 numbers"
echo "window after $took ms (box answered)"
[ "$took" -lt 15000 ] || fail "the start took $took ms"
sleep 1
for w in $(xdotool search --onlyvisible --pid "$tumo_pid" 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 1920x1080 ||
        fail "a second message box after the draw window showed"
done
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
press ctrl+q
wait_exit
echo "PASS: crafted digit count and numbers on the screen, each start within a few seconds"

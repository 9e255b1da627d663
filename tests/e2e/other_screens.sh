#!/usr/bin/env bash
# A show prepared on one screen runs whole on others. Prepared under Xvfb at 1920 x 1080 as an
# organiser would (nothing customised, one draw, quit), with its symbols then placed by hand so
# that the last one touches the right edge; started at 1024 x 768 and at 3840 x 2160, every
# symbol stands on the screen where the screen's own scale puts it and shows its character, and
# the whole board shows on the screen after a draw; so they do on the smaller second screen of
# two when the show is moved there. The settings keep the layout as prepared.
# Screenshots go to <build>/e2e-shots/.
# Usage: other_screens.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
export E2E_SCREENS="1920x1080x24"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

drawn() { "$check" scheme "$prog" | tail -n +2 | wc -l; }

# Draws one more number and waits until it is saved. Symbols standing on the start character
# roll at the first press and stop at the next.
draw_one() {
    local before
    before=$(drawn)
    for _ in 1 2 3; do
        press space
        within 5 [ "$(drawn)" -gt "$before" ] && return 0
    done
    fail "no number was drawn"
}

# A private X server with screens of <sizes> ("WxHxD ...") in place of the one before.
new_screens() {
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    rm -f "$work/display"
    E2E_SCREENS="$1" e2e_start_xvfb
}

# Starts the show, takes <name>-symbols and, after a draw, <name>-board of X screen <screen>,
# quits, and checks that both show every symbol and the whole board.
show_on() {
    local name=$1 screen=$2 seen board
    start_tumo
    sleep 2
    DISPLAY="$DISPLAY.$screen" screenshot "$name-symbols"
    draw_one
    sleep 2 # the board slides in
    DISPLAY="$DISPLAY.$screen" screenshot "$name-board"
    press ctrl+q
    wait_exit

    seen=$("$check" symbols "$prog" 0 1 "$shots/$name-symbols.png") ||
        fail "$name: a symbol is not on the screen"
    [ "$seen" = "000" ] || fail "$name: the symbols show '$seen', not 000"
    board=$("$check" board "$prog" 0 "$shots/$name-board.png") ||
        fail "$name: the board is not whole on the screen ($board)"
    echo "$name: symbols $seen, board at $board"
}

start_tumo
draw_one
press ctrl+q
wait_exit
grep -q "Width=1920" "$prog/LayoutScreen.ini" && grep -q "Height=1080" "$prog/LayoutScreen.ini" ||
    fail "the layout's screen was not recorded: $(cat "$prog/LayoutScreen.ini" 2>&1)"
"$check" place "$prog" 0 >/dev/null || fail "the symbols cannot be placed"
# The symbols stand on "0" at the start, so that they can be read before the board comes.
"$check" monitor "$prog" 1 || fail "the start character cannot be set"

for size in 1024x768 3840x2160; do
    new_screens "${size}x24"
    show_on "other-screens-$size" 0
done

# The same show on the smaller second screen of two, chosen as its monitor.
new_screens "1920x1080x24 1280x1024x24"
"$check" monitor "$prog" 2 || fail "the monitor option cannot be set"
show_on "other-screens-second-1280x1024" 1

# The settings keep the layout as placed, in the prepared screen's pixels.
grep -q "Width=1920" "$prog/LayoutScreen.ini" || fail "the layout's screen record changed"
[ "$("$check" place "$prog" 0)" = "0" ] || fail "the placed symbols were stored elsewhere"

echo "PASS: the show prepared at 1920x1080 ran whole at 1024x768, at 3840x2160 and on a second screen; screenshots in $shots"

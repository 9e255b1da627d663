#!/usr/bin/env bash
# The real program under Xvfb, with the default level: after a draw press the bulletin board
# comes only once the symbols have landed. The helper grabs the screen from the press on; the
# last picture before the board must show the drawn number's characters on the symbols (it stays
# in <build>/e2e-shots/ with the board's own picture).
# Usage: board_after_landing.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

start_tumo
sleep 2

"$check" watch 20 "$shots/board-before.png" >"$work/watch" 2>"$work/watch.err" &
watcher=$!
for _ in $(seq 100); do
    grep -q ready "$work/watch" && break
    kill -0 "$watcher" 2>/dev/null || break
    sleep 0.1
done
grep -q ready "$work/watch" || fail "the screen watch did not start: $(cat "$work/watch.err")"
press space
wait "$watcher" || fail "$(cat "$work/watch.err")"
sleep 1
screenshot board-shown

press ctrl+q
wait_exit

"$check" scheme "$prog" >"$work/scheme" || fail "the scheme cannot be read"
[ "$(wc -l <"$work/scheme")" -eq 2 ] || fail "not one number drawn: $(cat "$work/scheme")"
number=$(tail -n 1 "$work/scheme" | cut -d'|' -f2)
while [ ${#number} -lt 3 ]; do number="0$number"; done
seen=$("$check" symbols "$prog" 0 1 "$shots/board-before.png") ||
    fail "the symbols cannot be read"
[ "$seen" = "$number" ] ||
    fail "just before the board the symbols show '$seen', not the drawn $number"

echo "PASS: $number was on the symbols before the board came; screenshots in $shots"

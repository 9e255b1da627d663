#!/usr/bin/env bash
# A number import that replaces the pool ("Clear the old numbers.") is all or nothing. The real
# program under Xvfb imports a large file from its Numbers page and is killed (SIGKILL) while the
# new pool is being built: started again, it uses the old pool, whose files are byte for byte as
# they were, and nothing of the unfinished import is left in the program folder.
# Usage: killed_import.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

"$check" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"
pool_sums() { (cd "$prog" && md5sum data.dat index.dat); }
leftovers() { (cd "$prog" && ls -1 ./*.new ./*.next 2>/dev/null); }
before=$(pool_sums)

# Numbers the old pool (1 to 100) does not hold, enough for an import of several seconds.
numbers="$work/numbers.txt"
seq -f 'N%09g' 1 12000000 >"$numbers" || fail "no number file"

# A visible window named <title>, within 20 s.
window_named() { window_within 20 "" --name "$1"; }

start_tumo
sleep 1
press ctrl+s
settings=$(window_named '^Settings$')
[ -n "$settings" ] || fail "no settings window"
sleep 0.5
# The tab bar has the focus; the list, then Edit (the locked editing buttons take none) follow.
# Edit unlocks Import, just before it.
xdotool key --clearmodifiers Tab Tab space
sleep 0.5
xdotool key --clearmodifiers shift+Tab space
dialog=$(window_named '^Create continus number or import from a file$')
[ -n "$dialog" ] || fail "no import dialog"
sleep 0.5
xdotool key --clearmodifiers ctrl+Tab
sleep 0.5
screenshot killed_import_dialog
# The file field, first on the file tab; "Clear the old numbers." is chosen from the start.
xdotool mousemove --window "$dialog" 170 85 click 1
sleep 0.3
xdotool type --delay 5 "$numbers"
xdotool key --clearmodifiers Return

# Killed once the new pool is well on its way.
aside_grown() {
    kill -0 "$tumo_pid" 2>/dev/null || fail "the program ended during the import"
    [ "$(stat -c %s "$prog/data.dat.new" 2>/dev/null || echo 0)" -gt $((20 << 20)) ]
}
within 30 aside_grown || fail "the import built no new pool aside within 30 s"
kill_tumo
[ -f "$prog/data.dat.new" ] || fail "the import was over before the kill"
[ "$(pool_sums)" = "$before" ] || fail "the killed import changed the pool files"

start_tumo
sleep 1
[ -z "$(leftovers)" ] || fail "the unfinished import was left behind: $(leftovers)"
[ "$(pool_sums)" = "$before" ] || fail "the start after the kill changed the pool files"
press space
wait_winners 1
drawn=$(winner_lines | head -n 1)
[[ "$drawn" =~ \|([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -ge 1 ] && [ "${BASH_REMATCH[1]}" -le 100 ] ||
    fail "the draw after the restart took '$drawn', not a number of the old pool"
press ctrl+q
wait_exit
echo "PASS: the killed import left the old pool whole, and the next start drew from it"

#!/usr/bin/env bash
# Nothing drawn is lost when the program does not end normally. The real program under Xvfb:
#   1. draws two winners and is killed (SIGKILL): started again (the dead instance's folder lock
#      does not keep it out), its saved scheme holds both; one more draw and the winners file and
#      the scheme list all three;
#   2. a second start in the same folder says "dataFile:" and that Tumo already runs there, and
#      ends without writing anything;
#   3. a damaged status file is deleted at the start (with its message; a second start meanwhile,
#      while the first is still hidden, is turned away too); killed right after, the next start
#      still finds the scheme with every winner.
# Usage: crash_keeps_winners.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

"$check" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"

# Every file of the program folder with its checksum.
folder_sums() { (cd "$prog" && find . -type f ! -name '*.log' -print0 | sort -z | xargs -0 md5sum); }

# A second start in the folder: it must say why it ends, and end with nothing written.
second_start_is_turned_away() {
    local before after pid2 log2="$work/second.log"
    before=$(folder_sums)
    : >"$log2"
    (cd "$work" && exec "$prog/tumo" >>"$log2" 2>&1) &
    pid2=$!
    within 20 grep -q 'dataFile:.*already running in this folder' "$log2" ||
        fail "the second start did not say that Tumo already runs: $(cat "$log2")"
    confirm_box "$pid2"
    for _ in $(seq 50); do
        kill -0 "$pid2" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$pid2" 2>/dev/null && fail "the second start did not end"
    wait "$pid2"
    [ $? -ne 0 ] || fail "the second start ended as if it had run"
    after=$(folder_sums)
    [ "$before" = "$after" ] || fail "the second start changed the program folder"
}

# ---- 1. killed after two draws ----
start_tumo
sleep 1
draw_winners 2 "$work/drawn"
sleep 0.5
kill_tumo
scheme_lines | cmp -s - "$work/drawn" ||
    fail "after SIGKILL the scheme holds '$(scheme_lines | tr '\n' ' ')', not every winner"

start_tumo
sleep 1
second_start_is_turned_away
press space
wait_winners 3
head -n 2 <(winner_lines) | cmp -s - "$work/drawn" ||
    fail "the first draw after the restart lost the killed run's winners"
sleep 0.5
winner_lines | cmp -s - <(scheme_lines) || fail "the scheme and the winners file differ"
winner_lines >"$work/drawn"
press ctrl+q
wait_exit

# ---- 3. a damaged status file, then a kill right after the start ----
printf '\001\000' >"$prog/TumoStatus.dat"
window="" # the last run's; its number may come again for a new window
(cd "$work" && exec "$prog/tumo" >>"$work/tumo.log" 2>&1) &
tumo_pid=$!
box=$(window_of "$tumo_pid") # the damage message, before the draw window shows
[ -n "$box" ] || fail "no message about the damaged status file"
second_start_is_turned_away
confirm_box "$tumo_pid"
window=""
for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Tumo$' 2>/dev/null | head -1)
    [ -n "$window" ] && [ "$(xdotool getwindowgeometry "$window" | grep -c 1920x1080)" -eq 1 ] && break
    window=""
    sleep 0.2
done
[ -n "$window" ] || fail "no draw window after the damage message"
kill_tumo
[ -f "$prog/TumoStatus.dat" ] || fail "the status file was not written again at the start"
scheme_lines | cmp -s - "$work/drawn" ||
    fail "after the damaged status file the scheme lost its winners: '$(scheme_lines | tr '\n' ' ')'"

echo "PASS: winners kept through SIGKILL: $(cut -d'|' -f2 "$work/drawn" | tr '\n' ' ')"

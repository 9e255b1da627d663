#!/usr/bin/env bash
# A disk that fills up during the show, the real program under Xvfb, its folder on a small tmpfs:
#   1. a draw whose save finds the disk full says "Write Error!" once; the files on disk stay the
#      last ones written whole (never empty or cut), listing the winners saved before;
#   2. once space is freed, the next draw saves every winner, the one drawn meanwhile included;
#   3. a full disk at Quit asks whether to try again; with space freed, Yes saves and ends;
#   4. the automatic draw on a disk with room for the winners file but not for the scheme: after
#      "Write Error!" it stops drawing, and the winners file never lists more than the scheme; a
#      Draw press tries the save again and, still failing, says so and draws nothing; with space
#      freed the next press saves and the draw goes on, every earlier winner kept, none twice.
# The folder is mounted as a tmpfs, which needs root; without it the run says so and is skipped.
# Usage: full_disk.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

disk="$work/disk"
mkdir -p "$disk"
if ! mount -t tmpfs -o size=256M tmpfs "$disk" 2>/dev/null; then
    skip "no tmpfs could be mounted here (root is needed)"
fi
# The disk goes before the work folder is removed, and the program before the disk.
end_on_disk() {
    kill_tumo
    umount "$disk" 2>/dev/null
    e2e_cleanup
}
trap end_on_disk EXIT
cp -r "$prog" "$disk/" || fail "the program did not fit on the disk"
prog="$disk/prog"
"$check" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"

fill_disk() { dd if=/dev/zero of="$disk/filler" bs=64k 2>/dev/null; sync; }
free_disk() { rm -f "$disk/filler"; }

start_tumo
sleep 1
draw_winners 2 "$work/saved"
sleep 0.5

# ---- 1. the disk is full at the third draw ----
fill_disk
press space
box=$(box_of "$tumo_pid")
[ -n "$box" ] || fail "no message after a save on a full disk"
grep -q "not saved" "$work/tumo.log" || fail "the failed save was not logged"
winner_lines | cmp -s - "$work/saved" || fail "the winners file changed on a full disk"
scheme_lines | cmp -s - "$work/saved" || fail "the saved scheme changed on a full disk"
confirm_box "$tumo_pid"

# ---- 2. space again: the next draw saves everything ----
free_disk
sleep 0.5
press space
press space
wait_winners 4
scheme_lines | cmp -s - <(winner_lines) || fail "the scheme and the winners file differ"

# ---- 3. full at Quit: asked to try again, Yes after freeing space saves ----
winner_lines >"$work/saved"
fill_disk
press ctrl+q
confirm_box "$tumo_pid" # "Write Error!"
box=$(box_of "$tumo_pid")
[ -n "$box" ] || fail "no question whether to try again"
free_disk
confirm_box "$tumo_pid" # Yes
wait_exit
scheme_lines | cmp -s - "$work/saved" || fail "the save at the end lost winners"

# ---- 4. the automatic draw on a nearly full disk ----
"$check" autodraw "$prog" 1 30 || fail "the automatic draw could not be set up"
level_lines() { scheme_lines | grep -c '^First prize|'; }
failed_saves() { grep -c "not saved" "$work/tumo.log"; }
# A message box of the program within <seconds>, or nothing.
box_within() { window_within "$1" "$window" --pid "$tumo_pid"; }
start_tumo
sleep 1
before=$(winner_lines | wc -l)
press space # the operator starts the cycle
listed_at_least() { [ "$(winner_lines | wc -l)" -ge "$1" ]; }
within 30 listed_at_least $((before + 3)) || fail "the automatic draw did not go on by itself"
# Room for the status and winners files, not for the scheme beside its old copy.
room=12288
scheme_size=$(stat -c %s "$prog/default.TumoScheme")
[ "$scheme_size" -gt $((room + 4096)) ] || fail "the scheme ($scheme_size bytes) is too small for this run"
# At one stroke, so that no save meets a disk full to the last byte.
fallocate -l $(($(df --output=avail -B1 "$disk" | tail -n 1) - room)) "$disk/filler" ||
    fail "the disk could not be filled"
box=$(box_within 20)
[ -n "$box" ] || fail "no message after the automatic draw found the disk full"
winner_lines >"$work/saved"
cmp -s "$work/saved" <(scheme_lines) || fail "the winners file ran ahead of the scheme"
confirm_box "$tumo_pid"
saves=$(failed_saves)
sleep 3
[ "$(failed_saves)" -eq "$saves" ] || fail "the automatic draw went on after Write Error!"
winner_lines | cmp -s - "$work/saved" || fail "the winners file changed after Write Error!"
# Space on a finished screen rolls; the press after it draws, or would.
screenshot full_disk_auto_stopped
box=""
for _ in 1 2; do
    press space
    box=$(box_within 3)
    [ -n "$box" ] && break
done
[ -n "$box" ] || fail "a Draw press on the full disk said nothing"
[ "$(failed_saves)" -eq $((saves + 1)) ] || fail "the Draw press did not try the save again"
confirm_box "$tumo_pid"
sleep 1
winner_lines | cmp -s - "$work/saved" || fail "a Draw press on the full disk changed the files"

free_disk
press space # saves the winner drawn when the disk filled, then draws and goes on
level_full() { [ "$(level_lines)" -ge 30 ]; }
within 90 level_full
sleep 1
scheme_lines | cmp -s - <(winner_lines) || fail "the scheme and the winners file differ at the end"
[ "$(level_lines)" -eq 30 ] || fail "the level holds $(level_lines) winners, not 30"
head -n "$(wc -l <"$work/saved")" <(winner_lines) | cmp -s - "$work/saved" ||
    fail "winners saved before the disk filled are gone"
[ -z "$(winner_lines | cut -d'|' -f2 | sort | uniq -d)" ] || fail "a winner was drawn twice"
press ctrl+q
wait_exit
echo "PASS: a full disk said so, kept the last whole files, stopped the automatic draw, and lost no winner"

#!/usr/bin/env bash
# A disk that fills up during the show, the real program under Xvfb, its folder on a small tmpfs:
#   1. a draw whose save finds the disk full says "Write Error!" once; the files on disk stay the
#      last ones written whole (never empty or cut), listing the winners saved before;
#   2. once space is freed, the next draw saves every winner, the one drawn meanwhile included;
#   3. a full disk at Quit asks whether to try again; with space freed, Yes saves and ends.
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
    if [ -n "$tumo_pid" ]; then
        kill -KILL "$tumo_pid" 2>/dev/null
        wait "$tumo_pid" 2>/dev/null
        tumo_pid=""
    fi
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
echo "PASS: a full disk said so, kept the last whole files, and lost no winner"

#!/usr/bin/env bash
# The real program under Xvfb starts at once on a status file from elsewhere whose pool digit
# count says 100000: the count is taken from the pool again, the draw window shows within a few
# seconds, and Ctrl+Q ends it normally with the true count saved.
# Usage: crafted_sizes.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
check=${2:-$bindir/tests/tumo_drawcheck}
[ -x "$check" ] || fail "no helper $check (target tumo_drawcheck)"

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
echo "PASS: crafted digit count, start in $took ms, saved count $digits"

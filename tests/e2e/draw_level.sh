#!/usr/bin/env bash
# The real program under Xvfb draws two whole prize levels with Space alone (Draw and Restart
# share it) and moves on to the default level: a level stopping one number per press with three
# on a screen (four winners: a full screen, then one number in the middle slot), then a level
# stopping a whole screen of two at once (three winners: screens of 2 and 1). After every step
# the winners text file grows by exactly that step's numbers; after Quit the saved scheme holds
# exactly the numbers drawn, level by level, and the screenshots of the stopped screens show
# their characters on the symbols (screenshots stay in <build>/e2e-shots/).
# Usage: draw_level.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"

"$check" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"
expected="$work/expected" # "<level>|<number>" of every number drawn so far, in order
screens="$work/screens"   # per stopped screen: shot, level index, what each symbol row shows
: >"$expected"
: >"$screens"

# The winners file as "<level>|<number>" lines in $work/now; none before the first draw.
read_winners() {
    : >"$work/now"
    [ -f "$winners" ] || return 0
    "$check" winners "$winners" >"$work/now" || fail "the winners file is malformed"
}

# What a symbol row shows for a number: right-aligned on three positions, padded with the
# symbol set's first character.
row_of() {
    local n=$1
    while [ ${#n} -lt 3 ]; do n="0$n"; done
    echo "$n"
}

# Presses Space for a draw step that must add <count> numbers of <level> to the winners file.
# A press that found drawing still held (the symbols of a new level being laid out) is made
# again, at most four presses in all. Leaves the step's numbers in $work/step.
draw_step() {
    local level=$1 count=$2 before after=0
    read_winners
    before=$(wc -l <"$work/now")
    for _ in 1 2 3 4; do
        press space
        for _ in $(seq 25); do
            read_winners
            after=$(wc -l <"$work/now")
            [ "$after" -ne "$before" ] && break 2
            sleep 0.2
        done
    done
    [ "$after" -eq $((before + count)) ] ||
        fail "a draw step of $level gave $((after - before)) numbers, not $count"
    head -n "$before" "$work/now" | cmp -s - "$expected" ||
        fail "the winners file changed the numbers drawn before"
    tail -n +$((before + 1)) "$work/now" >"$work/step"
    grep -qv "^$level|" "$work/step" && fail "numbers of another level: $(cat "$work/step")"
    cat "$work/step" >>"$expected"
}

# The numbers of the last step, as symbol rows.
step_rows() {
    local line
    while IFS= read -r line; do row_of "${line#*|}"; done <"$work/step"
}

# Restart (Space on a finished screen) sets the symbols rolling again.
restart() {
    press space
    sleep 1
}

# Records a stopped screen: its screenshot and what its rows must show.
stopped_screen() {
    local shot=$1 level=$2
    shift 2
    sleep 1.5 # the symbols land
    screenshot "$shot"
    echo "$shot $level $*" >>"$screens"
}

start_tumo
sleep 1

# ---- First prize: one number per press, three on a screen, four winners ----
rows=()
for _ in 1 2 3; do
    draw_step "First prize" 1
    rows+=("$(step_rows)")
done
stopped_screen drawlevel-first-full 1 "${rows[@]}"
restart
draw_step "First prize" 1
# One winner left of three slots: it stops in the middle one, the others are hidden.
stopped_screen drawlevel-first-short 1 "???" "$(step_rows)" "???"
restart # the level is complete: on to the next one

# ---- Second prize: the whole screen of two at once, three winners ----
draw_step "Second prize" 2
mapfile -t rows < <(step_rows)
stopped_screen drawlevel-second-full 2 "${rows[@]}"
restart
draw_step "Second prize" 1
stopped_screen drawlevel-second-short 2 "$(step_rows)" "???"
restart # on to the default level

# ---- the default level takes the rest of the pool ----
draw_step "Default Settings" 1
stopped_screen drawlevel-default 0 "$(step_rows)"

press ctrl+q
wait_exit

# ---- what the files hold ----
read_winners
cmp -s "$work/now" "$expected" || fail "the final winners file differs from the numbers drawn"
"$check" scheme "$prog" >"$work/scheme" || fail "the scheme cannot be read"
[ "$(head -n 1 "$work/scheme")" = "current 0" ] ||
    fail "the show did not move on to the default level: $(head -n 1 "$work/scheme")"
tail -n +2 "$work/scheme" | cmp -s - "$expected" ||
    fail "the saved scheme does not hold exactly the numbers drawn: $(tail -n +2 "$work/scheme" | tr '\n' ' ')"
[ "$(wc -l <"$expected")" -eq 8 ] || fail "$(wc -l <"$expected") numbers drawn, not 8"
dupes=$(cut -d'|' -f2 "$expected" | sort | uniq -d)
[ -z "$dupes" ] || fail "numbers drawn twice: $dupes"

# ---- what the stopped screens showed ----
while read -r shot level want; do
    nrows=$(echo "$want" | wc -w)
    "$check" symbols "$prog" "$level" "$nrows" "$shots/$shot.png" >"$work/seen" ||
        fail "the symbols of $shot cannot be read"
    seen=$(tr '\n' ' ' <"$work/seen" | sed 's/ $//')
    [ "$seen" = "$want" ] || fail "$shot shows '$seen' on its symbols, not '$want'"
done <"$screens"

echo "PASS: numbers drawn: $(cut -d'|' -f2 "$expected" | tr '\n' ' ')screenshots in $shots"

#!/usr/bin/env bash
# The real program under Xvfb at 1920 x 1080 with its default level and media: the share of one
# core it takes while the screen shows a drawn number and nothing rolls (the background movie
# still plays), and while the symbols roll. Prints both as percentages.
# Usage: idle_cpu.sh <folder of the tumo executable> [seconds to measure, default 5]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
seconds=${2:-5}
e2e_begin "${1:-}"

ticks() { # user + system clock ticks of the program so far
    awk '{ print $14 + $15 }' "/proc/$tumo_pid/stat"
}

share() { # share of a core over the given seconds, in percent
    local before after
    before=$(ticks)
    sleep "$1"
    after=$(ticks)
    echo "$after $before $1 $(getconf CLK_TCK)" | awk '{ printf "%.1f", 100 * ($1 - $2) / $4 / $3 }'
}

start_tumo
sleep 3
echo "rolling: $(share "$seconds") % of a core"
screenshot idle-cpu-rolling
press space
sleep 3
echo "idle: $(share "$seconds") % of a core"
screenshot idle-cpu-drawn
press ctrl+q
wait_exit

#!/usr/bin/env bash
# The show as the hall hears it: a sound server of the run's own (PulseAudio with a null sink
# "hall") plays what the real program sends, and its monitor is recorded throughout. The level of
# the recording, in 100 ms windows, must show the rolling sound through every roll (the first one
# and each after a restart, several turns of its loop), and a sound within half a second of every
# stop that is the winning-number sound, played from its start: it goes on well after the stop
# and ends in silence, since a stop silences the rolling sound. That holds for each take style
# (a whole number; one character per press, pressed again while the sound still plays; a whole
# screen) and for the automatic mode's stops. The recording stays in <build>/e2e-shots/.
# Usage: sound_show.sh <folder of the tumo executable> [<drawcheck helper>]
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
e2e_helper "${2:-}"
sound="$(dirname "$check")/tumo_soundcheck"
[ -x "$sound" ] || fail "no helper $sound (target tumo_soundcheck)"
for tool in pulseaudio pactl parec; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

rate=22050
loud=-45  # dBFS: a window at least this loud has sound in it
quiet=-60 # dBFS: a window at most this loud is silent
pulse_pid=""
parec_pid=""
# "loud|mostly|quiet <from s> <to s> <what>", times since the recording began
checks="$work/checks"
: >"$checks"

sound_cleanup() {
    [ -n "$parec_pid" ] && kill "$parec_pid" 2>/dev/null
    [ -n "$tumo_pid" ] && kill "$tumo_pid" 2>/dev/null
    [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null
    e2e_cleanup
}
trap sound_cleanup EXIT

# A sound server that only this run talks to, with one output: the null sink "hall".
start_hall() {
    export XDG_RUNTIME_DIR="$work/run"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$work/home"
    HOME="$work/home" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-null-sink sink_name=hall" \
        -L "module-native-protocol-unix auth-anonymous=1" >"$work/pulse.log" 2>&1 &
    pulse_pid=$!
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        kill -0 "$pulse_pid" 2>/dev/null || fail "PulseAudio did not start: $(cat "$work/pulse.log")"
        sleep 0.2
    done
    pactl set-default-sink hall || fail "no sink hall: $(cat "$work/pulse.log")"
}

# Records the hall from now on and sets t0, the wall-clock time of the recording's first sample:
# the monitor runs on the sink's clock, silent or not, so a sample's place is its time.
start_recording() {
    parec -d hall.monitor --raw --format=s16le --rate=$rate --channels=1 --latency-msec=20 \
        >"$work/hall.raw" 2>"$work/parec.log" &
    parec_pid=$!
    sleep 1
    # The monitor's first samples can take a moment on a busy machine.
    for _ in $(seq 50); do
        [ -s "$work/hall.raw" ] && break
        sleep 0.1
    done
    t0=0
    local now size
    for _ in 1 2 3 4 5; do
        now=$(date +%s.%N)
        size=$(stat -c %s "$work/hall.raw")
        t0=$(awk -v n="$now" -v s="$size" -v r=$rate -v t="$t0" \
            'BEGIN { x = n - s / (2 * r); printf "%.3f", (x > t ? x : t) }')
        sleep 0.1
    done
    [ "$size" -gt 0 ] || fail "nothing was recorded: $(cat "$work/parec.log")"
}

now() { awk -v n="$(date +%s.%N)" -v t="$t0" 'BEGIN { printf "%.2f", n - t }'; }
plus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }

expect() { echo "$1 $2 $3 $4" >>"$checks"; }

# The rolling sound from <from> (a moment for the sound to come) until the stop at <to>.
expect_roll() { expect loud "$(plus "$1" 0.5)" "$2" "$3: the rolling sound"; }

# The winning-number sound from within half a second of the stop at <at> for one and a half
# seconds (a start anew may cut it for a moment: "mostly loud" lets two windows be quiet), then
# silence from <silent from> seconds after the stop for half a second. Once the
# symbols of a finished screen have landed, the sound starts once more: its end comes up to a
# second and a half later.
expect_stop() {
    expect mostly "$(plus "$1" 0.5)" "$(plus "$1" 2.0)" "$3: the sound of the stop"
    expect quiet "$(plus "$1" "$2")" "$(plus "$1" "$(plus "$2" 0.5)")" "$3: silence after the stop"
}

# Presses Space and tells when: the moment before the key goes, so that the roll it stops is
# not taken to run on while the key is on its way.
press_at() {
    local at
    at=$(now)
    press space
    echo "$at"
}

# The steps of each take style, one level each, a step a line:
#   roll|shown <seconds> - <what>  the symbols roll for <seconds> after a press ("shown": from the
#                                  draw window's showing, no press); the rolling sound until the
#                                  next press
#   stop <silence> <seconds> <what> a press stops: the stop's sound, then silence <silence> seconds
#                                  after it ("cut": the next press, <seconds> later, comes while it
#                                  plays and it is heard until then); a wait of <seconds>
# A whole number per press: the first roll, a stop, a restart, the level's last stop.
numbers="shown 10 - the first roll
stop 4.2 5 a number
roll 9 - the roll after a restart
stop 4.2 5 the level's last number"
# A character per press, on the next level; pressed again while the sound plays. The board comes
# with the number's last character and plays its own sound.
characters="roll 6 - the roll of the next level
stop cut 1.2 the first character
stop 3.2 4 the second character, its sound from the start
stop 6.0 7 the last character and the board"
# A whole screen per press, then the automatic mode on its own.
screen="roll 5 - the roll of the automatic level
stop 4.2 0 a screen"

# Presses through the steps of a level and writes down what the hall must hear; sets stop to the
# time of the last stop.
take_level() {
    local kind a b what at roll="" roll_what="" cut="" cut_what=""
    while read -r -u 3 kind a b what; do
        case "$kind" in
        shown | roll)
            if [ "$kind" = shown ]; then roll=$(now); else roll=$(press_at); fi
            roll_what=$what
            sleep "$a"
            ;;
        stop)
            at=$(press_at)
            [ -n "$roll" ] && expect_roll "$roll" "$at" "$roll_what"
            [ -n "$cut" ] && expect mostly "$(plus "$cut" 0.5)" "$at" "$cut_what's sound"
            roll="" cut=""
            if [ "$a" = cut ]; then
                cut=$at cut_what=$what
            else
                expect_stop "$at" "$a" "$what"
            fi
            stop=$at
            sleep "$b"
            ;;
        *) fail "no step $kind" ;;
        esac
    done 3<<<"$1"
}

"$sound" prepare "$prog" || fail "the program folder could not be prepared"
winners="$prog/WinningNumbers.txt"
start_hall
start_recording

start_tumo
for style in numbers characters screen; do
    take_level "${!style}"
done
listed_at_least() { [ "$(winner_lines | wc -l)" -ge "$1" ]; }
for listed in 5 6; do
    # The result stays 6 s once the symbols have landed, the symbols roll 3 s, and the next stop
    # comes by itself: some 9 s after the last, later on a busy machine, where landing takes
    # longer. The winners file, written a moment after the stop, tells when it came.
    within 20 listed_at_least "$listed" ||
        fail "the winners file lists $(winner_lines | wc -l) numbers, not $listed"
    next=$(now)
    expect_roll "$(plus "$stop" 6.5)" "$(plus "$next" -1.0)" "an automatic roll"
    expect mostly "$(plus "$next" 0.3)" "$(plus "$next" 2.0)" "an automatic stop"
    expect quiet "$(plus "$next" 4.4)" "$(plus "$next" 4.9)" "an automatic stop: silence after it"
    stop=$next
done
sleep 6
press ctrl+q
wait_exit
kill "$parec_pid" 2>/dev/null
wait "$parec_pid" 2>/dev/null
parec_pid=""
cp "$work/hall.raw" "$shots/sound_show.raw"

"$sound" levels "$work/hall.raw" $rate >"$shots/sound_show.levels" ||
    fail "the recording cannot be read"
failed=0
while read -r kind from to what; do
    verdict=$(awk -v kind="$kind" -v from="$from" -v to="$to" -v loud=$loud -v quiet=$quiet '
        { t = (NR - 1) / 10 }
        t >= from && t + 0.1 <= to {
            seen++
            if ((kind != "quiet" && $1 < loud) || (kind == "quiet" && $1 > quiet)) {
                if (!bad) first = t
                bad++
            }
        }
        END {
            if (!seen) print "no recording"
            else if (bad > (kind == "mostly" ? 2 : 0))
                printf "%d of %d windows wrong, the first at %.1f s", bad, seen, first
        }' "$shots/sound_show.levels")
    if [ -n "$verdict" ]; then
        echo "FAIL: $what ($kind from $from s to $to s): $verdict" >&2
        failed=1
    fi
done <"$checks"
[ "$failed" -eq 0 ] ||
    fail "the hall did not hear the show (dBFS per 100 ms in $shots/sound_show.levels)"
echo "PASS: the recording is $shots/sound_show.raw ($rate Hz, mono, 16 bit)"

# Sourced by the end-to-end scripts: a program folder of its own, a private Xvfb display, and the
# real program started, pressed and ended there. Every wait is bounded.
#
# e2e_begin <folder of the tumo executable> sets bindir, shots (<bindir>/e2e-shots, where the
# screenshots stay for a person to look at), work (removed at the end) and prog (the program
# folder: the executable and its media, nothing of the build), and exports DISPLAY. With
# E2E_KEEP set, work stays for a look after the run.

xvfb_pid=""
tumo_pid=""
window=""
work=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "$work" ] && [ -f "$work/tumo.log" ] && sed 's/^/  tumo: /' "$work/tumo.log" >&2
    exit 1
}

# What a script cannot do here (a tool missing, no right to mount) is no failure: the run says why
# and ends with the code ctest counts as skipped.
skip() {
    echo "SKIP: $*"
    exit 77
}

e2e_cleanup() {
    [ -n "$tumo_pid" ] && kill "$tumo_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "$work" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$work"
}

e2e_begin() {
    bindir=$(cd "${1:?folder of the tumo executable}" && pwd)
    shots="$bindir/e2e-shots"
    work=$(mktemp -d)
    trap e2e_cleanup EXIT

    for tool in Xvfb xdotool import; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
    done

    prog="$work/prog"
    mkdir -p "$prog" "$shots"
    cp "$bindir/tumo" "$prog/"
    find "$bindir" -maxdepth 1 -type f \( -iname '*.swf' -o -iname '*.bmp' -o -iname '*.jpg' \
        -o -iname '*.png' -o -iname '*.gif' -o -iname '*.wav' -o -iname '*.mp3' -o -iname '*.mid' \
        -o -iname '*.txt' -o -iname '*.xml' -o -iname '*.ico' \) -exec cp {} "$prog/" \;
    [ -f "$prog/defsym.swf" ] || fail "no default media beside $bindir/tumo"

    e2e_start_xvfb
    export QT_QPA_PLATFORM=xcb
    export QT_MEDIA_BACKEND=gstreamer
    export XDG_DATA_HOME="$work/data"
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
}

# e2e_helper [<drawcheck helper>] sets check: the helper that prepares program folders and reads
# back what a run left (the build's own when none is given).
e2e_helper() {
    check=${1:-$bindir/tests/tumo_drawcheck}
    [ -x "$check" ] || fail "no helper $check (target tumo_drawcheck)"
}

# A display nobody uses, 1920 x 1080, or with the screens of E2E_SCREENS ("WxHxD" each, X screens
# 0, 1, ...). Xvfb picks the number itself, so scripts running side by side never race for one.
e2e_start_xvfb() {
    local screens=() n=0 size
    for size in ${E2E_SCREENS:-1920x1080x24}; do
        screens+=(-screen "$n" "$size")
        n=$((n + 1))
    done
    # -noreset: by default the server starts over whenever its last client leaves (the probe
    # below, a helper, a program that ended); a program connecting meanwhile is turned away, which
    # a busy machine makes likely.
    Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
        sleep 0.2
    done
    [ -s "$work/display" ] || fail "Xvfb gave no display within 10 s"
    export DISPLAY=":$(head -n 1 "$work/display")"
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.2
    done
    xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not answer"
}

# Starts the program and waits (at most 60 s) for its draw window; sets tumo_pid and window.
start_tumo() {
    (cd "$work" && exec "$prog/tumo" >>"$work/tumo.log" 2>&1) &
    tumo_pid=$!
    window=""
    for _ in $(seq 300); do
        kill -0 "$tumo_pid" 2>/dev/null || fail "the program ended before its window appeared"
        window=$(xdotool search --onlyvisible --name '^Tumo$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no draw window within 60 s"
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
}

# Presses a key on the draw window.
press() {
    xdotool windowfocus "$window" 2>/dev/null
    xdotool key --clearmodifiers "$1"
}

# Waits (at most 30 s) for the program to end; it must end by itself with code 0.
wait_exit() {
    for _ in $(seq 150); do
        kill -0 "$tumo_pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$tumo_pid" 2>/dev/null; then
        fail "the program did not end after Ctrl+Q"
    fi
    wait "$tumo_pid"
    local code=$?
    tumo_pid=""
    [ "$code" -eq 0 ] || fail "the program ended with code $code"
}

screenshot() {
    import -window root "$shots/$1.png" || fail "no screenshot"
}

# What a run left, through the helper (e2e_helper) in the program folder $prog, whose winners
# text file is $winners.
# "<level>|<number>" lines of the saved scheme (without its first line) and of the winners file.
scheme_lines() { "$check" scheme "$prog" | tail -n +2; }
winner_lines() {
    [ -f "$winners" ] || return 0
    "$check" winners "$winners"
}

# Waits (at most 10 s) until the winners file lists <count> numbers.
wait_winners() {
    for _ in $(seq 50); do
        [ "$(winner_lines | wc -l)" -eq "$1" ] && return 0
        sleep 0.2
    done
    fail "the winners file lists $(winner_lines | wc -l) numbers, not $1"
}

# Presses Space <count> times on a fresh screen, each press drawing one more winner, then keeps
# the winners file's lines in <file>.
draw_winners() {
    local i
    for i in $(seq "$1"); do
        press space
        wait_winners "$i"
    done
    winner_lines >"$2"
}

# Kills the program, if it runs, as a crash or a power cut would, and waits for it to be gone.
kill_tumo() {
    [ -n "$tumo_pid" ] || return 0
    kill -KILL "$tumo_pid" 2>/dev/null
    wait "$tumo_pid" 2>/dev/null
    tumo_pid=""
}

# True once <command> is, within <seconds>.
within() {
    local tries=$(($1 * 5))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# The first visible window that `xdotool search --onlyvisible <search arguments>` finds within
# <seconds>, passing over <window> (none when empty); nothing when none came.
window_within() {
    local tries=$(($1 * 5)) skip=${2:-none} w=""
    shift 2
    for _ in $(seq "$tries"); do
        w=$(xdotool search --onlyvisible "$@" 2>/dev/null | grep -vx "$skip" | head -1)
        [ -n "$w" ] && break
        sleep 0.2
    done
    echo "$w"
}

# A visible window of the process <pid>, within 20 s.
window_of() { window_within 20 "" --pid "$1"; }

# A visible window of the process <pid> other than its draw window, within 20 s: a message box.
box_of() { window_within 20 "$window" --pid "$1"; }

# Closes the message box of the process <pid> with Return (its default button).
confirm_box() {
    local w
    w=$(box_of "$1")
    [ -n "$w" ] || fail "no message box of process $1"
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
    xdotool key --clearmodifiers Return
}

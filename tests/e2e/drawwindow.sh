#!/usr/bin/env bash
# The real program under Xvfb, in a program folder of its own: it starts on the draw window,
# draws a number with Space, quits with Ctrl+Q and writes its settings files; a second run keeps
# what the first one drew. Screenshots go to <build>/e2e-shots/ for a person to look at.
# Usage: drawwindow.sh <folder of the tumo executable>
set -uo pipefail

bindir=$(cd "${1:?folder of the tumo executable}" && pwd)
shots="$bindir/e2e-shots"
work=$(mktemp -d)
xvfb_pid=""
tumo_pid=""

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/tumo.log" ] && sed 's/^/  tumo: /' "$work/tumo.log" >&2
    exit 1
}

cleanup() {
    [ -n "$tumo_pid" ] && kill "$tumo_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done

# The program folder: the executable and its media, nothing of the build.
prog="$work/prog"
mkdir -p "$prog" "$shots"
cp "$bindir/tumo" "$prog/"
find "$bindir" -maxdepth 1 -type f \( -iname '*.swf' -o -iname '*.bmp' -o -iname '*.jpg' \
    -o -iname '*.png' -o -iname '*.gif' -o -iname '*.wav' -o -iname '*.mp3' -o -iname '*.mid' \
    -o -iname '*.txt' -o -iname '*.xml' -o -iname '*.ico' \) -exec cp {} "$prog/" \;
[ -f "$prog/defsym.swf" ] || fail "no default media beside $bindir/tumo"

# A display nobody uses.
display=""
for n in $(seq 57 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.2
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not answer"

export QT_QPA_PLATFORM=xcb
export QT_MEDIA_BACKEND=gstreamer
export XDG_DATA_HOME="$work/data"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

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

# ---- first run: the draw window rolls; quitting writes the settings files ----
start_tumo
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Geometry: 1920x1080" || fail "the window does not cover the screen: $geometry"
sleep 2
screenshot drawwindow-rolling
press ctrl+q
wait_exit
[ -s "$prog/TumoStatus.dat" ] || fail "the status file was not written"
[ -s "$prog/default.TumoScheme" ] || fail "the scheme file was not written"
[ -s "$prog/data.dat" ] && [ -s "$prog/index.dat" ] || fail "the number pool was not created"
ls "$XDG_DATA_HOME"/mime/packages/*.xml >/dev/null 2>&1 || fail "the scheme file type was not registered"
cp "$prog/default.TumoScheme" "$work/scheme-undrawn"

# ---- second run: Space draws a number, which the saved scheme holds ----
start_tumo
sleep 1
press space
sleep 3
screenshot drawwindow-drawn
press ctrl+q
wait_exit
cmp -s "$prog/default.TumoScheme" "$work/scheme-undrawn" &&
    fail "the drawn number did not reach the scheme file"
cp "$prog/default.TumoScheme" "$work/scheme-drawn"
cp "$prog/TumoStatus.dat" "$work/status-drawn"

# ---- third run: the state is kept as it was ----
start_tumo
sleep 1
press ctrl+q
wait_exit
cmp -s "$prog/default.TumoScheme" "$work/scheme-drawn" ||
    fail "the third run changed the scheme file: the state was not kept"
cmp -s "$prog/TumoStatus.dat" "$work/status-drawn" ||
    fail "the third run changed the status file: the state was not kept"

echo "PASS: screenshots in $shots"

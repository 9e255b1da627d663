#!/usr/bin/env bash
# `cmake --install` into a prefix of its own gives a complete program folder: started there, the
# real program comes up on its draw window under Xvfb with no message, and writes its settings
# beside itself; the desktop entry names that program and its icon. The screenshot goes to
# <build>/e2e-shots/.
# Usage: installed.sh <build folder, which holds the tumo executable>
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin "${1:-}"
[ -f "$bindir/cmake_install.cmake" ] || fail "$bindir is not a build folder"

inst="$work/prefix"
cmake --install "$bindir" --prefix "$inst" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
prog="$inst/lib/tumo"
for name in tumo defsym.swf DefSym.swf DefBg.swf DefBan.swf DefBBSkin.bmp DefBBBg.jpg \
    DefBBSkin.jpg defBKSound.wav defStopSound.wav defBBSound.wav GuidHelpContent.xml sam.txt \
    tumo.png; do
    [ -s "$prog/$name" ] || fail "the installed program folder lacks $name"
done
[ -x "$prog/tumo" ] || fail "the installed tumo is not executable"

entry="$inst/share/applications/tumo.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -qx "Exec=\"$prog/tumo\"" "$entry" || fail "the desktop entry starts $(grep '^Exec=' "$entry")"
grep -qx "Icon=$prog/tumo.png" "$entry" || fail "the desktop entry shows $(grep '^Icon=' "$entry")"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the desktop entry is not valid"
fi

start_tumo
sleep 3
others=$(xdotool search --onlyvisible --pid "$tumo_pid" 2>/dev/null | grep -vx "$window")
[ -z "$others" ] || fail "a box came up beside the draw window: $(xdotool getwindowname "${others%%$'\n'*}")"
screenshot installed
press ctrl+q
wait_exit
[ -s "$prog/TumoStatus.dat" ] && [ -s "$prog/default.TumoScheme" ] ||
    fail "the settings files were not written beside the installed program"

echo "PASS: the installed program ran from $prog; screenshot in $shots"

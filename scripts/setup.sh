#!/usr/bin/env bash
# Installs the Debian 12 packages Tumo needs to build, run and test. Safe to run again.
set -euo pipefail
pkgs=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins
      gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
      timgm6mb-soundfont libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick sox
      fonts-dejavu-core libpng-dev clang libclang-rt-14-dev clang-tidy clang-format ccache)
# The restore test kills its child at each rename by fault injection.
pkgs+=(strace)
# The sound test's own sound server, its null sink and its recorder.
pkgs+=(pulseaudio pulseaudio-utils)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

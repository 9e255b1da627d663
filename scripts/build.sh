#!/usr/bin/env bash
# Configures and builds Tumo into build/ (a working program folder).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# Rebuilds in several work trees share one compiler cache when the machine has one.
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)"

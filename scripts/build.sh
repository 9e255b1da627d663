#!/usr/bin/env bash
# Configures and builds Tumo into build/ (a working program folder), with the "default" preset.
# TUMO_WERROR=ON makes every compiler warning an error (the test command sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
cmake --preset default "${launcher[@]}" ${TUMO_WERROR:+-DTUMO_WERROR="$TUMO_WERROR"} >/dev/null
cmake --build build -j "$(nproc)"

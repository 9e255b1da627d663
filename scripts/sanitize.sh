#!/usr/bin/env bash
# Builds everything but the benchmarks with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (the "asan" preset, into build-asan/) and runs the unit tests there.
# The end-to-end runs stay with the plain build: the preset leaves them out.
# TUMO_WERROR=ON makes every compiler warning an error (the test command sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
cmake --preset asan "${launcher[@]}" ${TUMO_WERROR:+-DTUMO_WERROR="$TUMO_WERROR"} >/dev/null
cmake --build --preset asan -j "$(nproc)"
ctest --preset asan -j "$(nproc)"

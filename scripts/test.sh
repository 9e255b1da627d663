#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. A compiler warning fails it.
# Each stage says how long it took, and the end sums them up.
set -euo pipefail
cd "$(dirname "$0")/.."
export TUMO_WERROR="${TUMO_WERROR:-ON}"
took=()

stage() { # <name> <command> [<argument>...]
    local name=$1 t0=$SECONDS code=0
    shift
    echo "=== $name"
    "$@" || code=$?
    took+=("$(printf '%5d s  %s' $((SECONDS - t0)) "$name")")
    echo "=== $name: $((SECONDS - t0)) s$([ "$code" -eq 0 ] || echo ", FAILED")"
    if [ "$code" -ne 0 ]; then
        printf '%s\n' "${took[@]}"
        exit "$code"
    fi
}

run_tests() {
    QT_QPA_PLATFORM=offscreen QT_MEDIA_BACKEND=gstreamer \
        ctest --test-dir build --output-on-failure -j "$(nproc)"
}

stage "packages" bash scripts/setup.sh
stage "build (gcc)" bash scripts/build.sh
# clang-tidy and the format check, before the tests: a finding fails the run in minutes.
stage "analyse (clang-format, clang-tidy)" bash scripts/analyse.sh
# The unit tests, each binary once more whole and shuffled, and the end-to-end runs side by side.
stage "tests" run_tests
# The unit tests again, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer;
# the same build holds the fuzz targets.
stage "sanitizer build and unit tests (clang)" bash scripts/sanitize.sh
# The fuzz targets, each over its seed corpus.
stage "fuzz targets over their corpus" bash scripts/fuzz-smoke.sh
echo "=== all passed in $SECONDS s"
printf '%s\n' "${took[@]}"

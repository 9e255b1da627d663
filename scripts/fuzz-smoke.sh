#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-asan/ (the "fuzz" preset: the sanitizer build, whose
# libraries scripts/sanitize.sh has built already) and runs each once over its seed corpus (no new
# inputs are searched for): a reader that crashes on a known file fails the run.
# FUZZ_SECONDS=<n> fuzzes each target for n seconds instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
cmake --preset fuzz "${launcher[@]}" ${TUMO_WERROR:+-DTUMO_WERROR="$TUMO_WERROR"} >/dev/null
cmake --build --preset fuzz -j "${FUZZ_JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
for corpus in fuzz/corpus/*/; do
    name=$(basename "$corpus")
    if [ -n "${FUZZ_SECONDS:-}" ]; then
        work=$(mktemp -d)
        "build-asan/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -rss_limit_mb=2048 \
            -timeout=10 "$work" "$corpus" >/dev/null 2>"build-asan/$name.log" ||
            { tail -40 "build-asan/$name.log"; echo "FAIL: $name"; exit 1; }
        rm -rf "$work"
    else
        "build-asan/fuzz/$name" -runs=0 -rss_limit_mb=2048 -timeout=10 "$corpus" \
            2>"build-asan/$name.log" ||
            { tail -40 "build-asan/$name.log"; echo "FAIL: $name"; exit 1; }
    fi
    echo "fuzz $name: $(ls "$corpus" | wc -l) inputs, fine"
done

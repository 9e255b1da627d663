#!/usr/bin/env bash
# Runs the analysers over the project's own code and fails on any finding:
#  - clang-tidy (.clang-tidy) over every translation unit of src/, tests/, bench/ and tools/ in the
#    default build's compile_commands.json, and over the fuzz targets in build-fuzz/'s;
#  - the format check (.clang-format) over every tracked .cpp and .h.
# Needs a configured build/ (bash scripts/build.sh); build-fuzz/ is configured here if missing.
# ANALYSE_JOBS=<n> sets how many clang-tidy processes run at once (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs="${ANALYSE_JOBS:-$(nproc)}"
status=0

# Layout first: it takes seconds.
fmt_log=$(mktemp)
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}" 2>"$fmt_log"; then
    echo "clang-format: these files differ from .clang-format (run clang-format -i on them):"
    grep -o '^[^:]*\.\(cpp\|h\):' "$fmt_log" | sed 's/:$//' | sort -u | sed 's/^/  /'
    status=1
fi
rm -f "$fmt_log"

# The compile commands come from gcc; clang-tidy's own clang parses them, so a warning flag only gcc
# knows must not become an error of its own.
tidy_args=(-quiet -j "$jobs" -extra-arg=-Wno-unknown-warning-option)
# run-clang-tidy prints every command it runs and clang-tidy counts the warnings it hid in Qt's
# headers; only the findings are worth reading.
quiet_filter() {
    sed -u 's/\x1b\[[0-9;]*m//g' |
        grep -v -e '^\(/usr/bin/\)\?clang-tidy\(-[0-9]*\)\? ' -e '^[0-9]* warnings\? generated\.$' \
            -e '^Suppressed [0-9]* warnings\? ' -e '^Use -header-filter=' \
            -e '^Enabled checks:' -e '^Running clang-tidy ' || true
}
tidy() { # <build folder> <folders whose sources to check>
    local dir=$1 folders=$2
    run-clang-tidy "${tidy_args[@]}" -p "$dir" "^$root/($folders)/" 2>&1 | quiet_filter
    return "${PIPESTATUS[0]}"
}

[ -f build/compile_commands.json ] || { echo "no build/compile_commands.json: run scripts/build.sh first"; exit 1; }
tidy build 'src|tests|bench|tools' || status=1

# The fuzz targets are only in the clang fuzz build; configuring it takes seconds and builds nothing.
if [ ! -f build-fuzz/compile_commands.json ]; then
    source scripts/compiler-cache.sh
    cmake --preset fuzz "${launcher[@]}" ${TUMO_WERROR:+-DTUMO_WERROR="$TUMO_WERROR"} >/dev/null
fi
tidy build-fuzz 'fuzz' || status=1

[ "$status" -eq 0 ] && echo "analyse: clang-tidy and clang-format found nothing"
exit "$status"

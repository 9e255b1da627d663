#!/usr/bin/env bash
# Runs the analysers over the project's own code and fails on any finding:
#  - clang-tidy (.clang-tidy) over every translation unit of src/, tests/, bench/ and tools/ in the
#    default build's compile_commands.json, and over the fuzz targets in build-asan/'s;
#  - the format check (.clang-format) over every tracked .cpp and .h.
# Needs a built build/ (bash scripts/build.sh); build-asan/ is configured here if missing.
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

# clang-tidy over each build folder's units whose sources lie in the given folders. A unit that
# passed before and whose source, headers, compile command and checks are unchanged is not parsed
# again (scripts/tidy-cached.py says how it knows); every other one is.
tidy() { # <build folder> <folders whose sources to check>
    python3 scripts/tidy-cached.py "$1" "^$root/($2)/" "$jobs"
}

[ -f build/compile_commands.json ] || { echo "no build/compile_commands.json: run scripts/build.sh first"; exit 1; }
tidy build 'src|tests|bench|tools' || status=1

# The fuzz targets are only in the clang sanitizer build; configuring it takes seconds and builds
# nothing.
if [ ! -f build-asan/compile_commands.json ]; then
    source scripts/compiler-cache.sh
    cmake --preset asan "${launcher[@]}" ${TUMO_WERROR:+-DTUMO_WERROR="$TUMO_WERROR"} >/dev/null
fi
tidy build-asan 'fuzz' || status=1

[ "$status" -eq 0 ] && echo "analyse: clang-tidy and clang-format found nothing"
exit "$status"

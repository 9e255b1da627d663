#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. A compiler warning fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export TUMO_WERROR="${TUMO_WERROR:-ON}"
bash scripts/build.sh
# clang-tidy and the format check, before the tests: a finding fails the run in minutes.
bash scripts/analyse.sh
export QT_QPA_PLATFORM=offscreen QT_MEDIA_BACKEND=gstreamer
ctest --test-dir build --output-on-failure -j "$(nproc)"
# The unit tests again, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
bash scripts/sanitize.sh
# The fuzz targets, built with clang, each over its seed corpus.
bash scripts/fuzz-smoke.sh

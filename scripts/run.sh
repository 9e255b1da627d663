#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tumo from its build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_MEDIA_BACKEND=gstreamer
exec ./build/tumo "$@"

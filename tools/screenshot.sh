#!/usr/bin/env bash
# Takes a picture of the window with a few rows filled, under a virtual X server:
#   tools/screenshot.sh [build-folder] [out.png]     (defaults: build/release, docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=${2:-docs/screenshot.png}
if [ ! -x "$build/tools/demo_rows" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target demo_rows -j "$(nproc)"
fi
mkdir -p "$(dirname "$out")"
# A screen a little larger than the window, so that the centred window lies wholly on it.
xvfb-run --auto-servernum --server-args="-screen 0 800x500x24" \
  env QT_QPA_PLATFORM=xcb "$build/tools/demo_rows" --screenshot "$out"

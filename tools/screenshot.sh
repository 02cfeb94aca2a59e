#!/usr/bin/env bash
# Takes a picture of the window after a real batch conversion of a small sample tree (the test
# fixtures, a torrent named in GBK and a broken file), under a virtual X server:
#   tools/screenshot.sh [build-folder] [out.png]     (defaults: build/release, docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=${2:-docs/screenshot.png}
if [ ! -x "$build/tools/demo_rows" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target demo_rows -j "$(nproc)"
fi

tree=/tmp/btmagnet-sample  # a short, fixed path: it shows in the picture
rm -rf "$tree"
trap 'rm -rf "$tree"' EXIT
fixtures=tests/torrent/data
top="$tree/下载"
mkdir -p "$top/种子/旧资料"
cp "$fixtures/single_file.torrent" "$fixtures/chinese_names.torrent" "$top/"
cp "$fixtures/multi_nested.torrent" "$fixtures/tracker_tiers.torrent" "$top/种子/"
cp "$fixtures/web_seeds.torrent" "$top/种子/旧资料/"
# A torrent whose name is in GBK, as older Chinese tools wrote them: 纪录片合集.
printf 'd4:infod6:lengthi1024e4:name10:\xbc\xcd\xc2\xbc\xc6\xac\xba\xcf\xbc\xaf12:piece lengthi16384e6:pieces20:aaaaaaaaaaaaaaaaaaaaee' \
  > "$top/种子/旧资料/纪录片合集.torrent"
echo 'not a torrent' > "$top/种子/旧资料/broken.torrent"

mkdir -p "$(dirname "$out")"
# A screen a little larger than the window, so that the centred window lies wholly on it.
xvfb-run --auto-servernum --server-args="-screen 0 800x500x24" \
  env QT_QPA_PLATFORM=xcb "$build/tools/demo_rows" --folder "$top" --screenshot "$out"

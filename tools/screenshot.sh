#!/usr/bin/env bash
# Starts the real window under Xvfb and the Openbox window manager, converts the worked example by
# typing it and clicking "转换" with xdotool, hovers over "直接下载", and writes a PNG of the window
# with the window manager's frame.
#   tools/screenshot.sh [OUTPUT.png]        (default: build/screenshot.png)
# KORIMBO_BUILD names the build folder to use (default build/ui-dev; built when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot.png}
build=${KORIMBO_BUILD:-build/ui-dev}
input=${KORIMBO_INPUT:-http://a/b.rar}

if [ ! -x "$build/app/korimbo" ]; then
    cmake -S . -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target korimbo -j2
fi

. tools/xvfb.sh
trap stop_started EXIT
start_xvfb
start_openbox

"$build/app/korimbo" &
stop_at_exit $!
window=$(xdotool search --sync --onlyvisible --name '^Korimbo$' | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.2
# 编辑框1 has the focus at start: type the address, then click 按钮1 (client 312,32 56x24).
xdotool type --delay 5 "$input"
xdotool mousemove --window "$window" 340 44 click 1
# Hover over 直接下载 (简单超文本框1 at 312,80) so its underline shows.
xdotool mousemove --window "$window" 330 88
sleep 0.3
mkdir -p "$(dirname "$out")"
import -frame -window "$window" "$out"
echo "$out"

#!/usr/bin/env bash
# Starts korimbo.exe under Wine on an Xvfb display, converts the worked example through the
# end-to-end driver (types it into 编辑框1, clicks 按钮1), and writes a PNG of the window.
#   tools/screenshot-windows.sh [OUTPUT.png]     (default: build/screenshot-windows.png)
# Runs the 64-bit build under 64-bit Wine where 32-bit programs cannot run (as tools/test-windows
# does), else the 32-bit build. Wine draws the window frame itself here, as no window manager runs,
# and shows Chinese text with the WenQuanYi Zen Hei font (fonts-wqy-zenhei) in place of SimSun.
# KORIMBO_BUILD names a Windows build folder to use as it is (default: tools/build-windows makes
# build/windows-x86_64 or build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot-windows.png}

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    arch=i686 dir=build/windows wine_arch=win32
else
    arch=x86_64 dir=build/windows-x86_64 wine_arch=win64
fi
if [ -n "${KORIMBO_BUILD:-}" ]; then
    dir=$KORIMBO_BUILD
    wine_arch=win32
    if grep -q '^CMAKE_AR:.*x86_64' "$dir/CMakeCache.txt"; then
        wine_arch=win64
    fi
else
    tools/build-windows "$arch" >/dev/null
fi
prefix=$dir/wine-prefix-screenshot
wine() { cmake/wine-run "$prefix" "$wine_arch" "$@"; }

. tools/xvfb.sh

XVFB_PID=
cleanup() {
    wine --server -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null || true
}
trap cleanup EXIT
wine --server -k >/dev/null 2>&1 || true # a server of an earlier run may hold another display
start_xvfb

# Window frames drawn by Wine (no window manager here); SimSun and the dialog fonts backed by a
# CJK font from the system.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Zen Hei' /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Zen Hei' /f >/dev/null
for face in Tahoma 'MS Shell Dlg' 'Microsoft Sans Serif'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null
done

coproc driver { wine "$dir/tests/win32/korimbo_e2e.exe" show "$dir/app/korimbo.exe" 2>&1; }
driver_in=${driver[1]}
line=
while IFS= read -r line <&"${driver[0]}"; do
    line=${line%$'\r'}
    [ "$line" = ready ] && break
    echo "$line" >&2
done
if [ "$line" != ready ]; then
    echo "screenshot-windows: the window did not come up" >&2
    exit 1
fi
sleep 0.5
# The window's outer frame: 381 x 267, centred on the 1024 x 768 screen.
import -window root -crop 381x267+321+250 +repage "$out"
exec {driver_in}>&-
wait "$driver_PID"
echo "wrote $out"

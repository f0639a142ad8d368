#!/usr/bin/env bash
# Starts korimbo.exe under Wine on an Xvfb display, converts the worked example through the
# end-to-end driver (types it into 编辑框1, clicks 按钮1), and writes a PNG of the window.
#   tools/screenshot-windows.sh [OUTPUT.png]     (default: build/screenshot-windows.png)
# Shows the 32-bit program that Windows users download, under 32-bit Wine (through
# tools/with-i386 where this machine runs no 32-bit code). Wine draws the window frame itself
# here, as no window manager runs, with its own Tahoma and Marlett (fonts-wine); 宋体 (SimSun)
# is the crisp WenQuanYi Zen Hei Sharp (fonts-wqy-zenhei), which also gives the dialog font its
# Chinese characters.
# KORIMBO_BUILD names a Windows build folder to use as it is (default: tools/build-windows makes
# build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshot-windows.png}

dir=${KORIMBO_BUILD:-build/windows}
wine_arch=win32
if grep -q '^CMAKE_AR:.*x86_64' "$dir/CMakeCache.txt" 2>/dev/null; then
    wine_arch=win64
fi
if [ -z "${KORIMBO_SCREENSHOT_RUNNING:-}" ]; then
    if [ -z "${KORIMBO_BUILD:-}" ]; then
        tools/build-windows i686 >/dev/null
    fi
    if [ "$wine_arch" = win32 ]; then
        KORIMBO_SCREENSHOT_RUNNING=1 exec tools/with-i386 "$0" "$@"
    fi
fi
prefix=$dir/wine-prefix-screenshot
wine() { cmake/wine-run "$prefix" "$wine_arch" "$@"; }

. tools/xvfb.sh

cleanup() {
    wine --server -k >/dev/null 2>&1 || true
    stop_started
}
trap cleanup EXIT
wine --server -k >/dev/null 2>&1 || true # a server of an earlier run may hold another display
start_xvfb

# Window frames drawn by Wine (no window manager here); SimSun and the dialog fonts' CJK text in
# a crisp CJK face from the system.
cjk='WenQuanYi Zen Hei Sharp'
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d "$cjk" /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d "$cjk" /f >/dev/null
# Wine's own Tahoma and Marlett (fonts-wine) in the Windows fonts folder, where this Wine looks
# for them: the dialog font, and the glyphs of the title bar's buttons.
for font in tahoma tahomabd marlett; do
    ln -sf "/usr/share/wine/fonts/$font.ttf" "$prefix/drive_c/windows/Fonts/$font.ttf"
done
for face in Tahoma 'MS Shell Dlg' 'Microsoft Sans Serif'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d "wqy-zenhei.ttc,$cjk" /f >/dev/null
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

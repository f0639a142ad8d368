#!/usr/bin/env bash
# korimbo.exe's size and start-up time. The size is that of the 32-bit program we ship (target:
# at most 1 MiB, statically linked). The start-up is the time from CreateProcess to the window
# "Korimbo" found visible, measured by the end-to-end driver under Wine on an Xvfb display, best
# and median of RUNS; on machines that cannot run 32-bit code it is the 64-bit build's, under
# 64-bit Wine (as tools/test-windows does).
#   bench/windows_size_startup.sh [RUNS]      (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}

tools/build-windows i686 >/dev/null
size=$(stat -c %s build/windows/app/korimbo.exe)
verdict="within"
((size <= 1048576)) || verdict="OVER"
printf 'korimbo.exe (32-bit, static): %d bytes (%d KiB), %s the 1 MiB target\n' "$size" "$((size / 1024))" "$verdict"

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    dir=build/windows wine_arch=win32
else
    tools/build-windows x86_64 >/dev/null
    dir=build/windows-x86_64 wine_arch=win64
    echo "start-up: measured on the 64-bit build under 64-bit Wine (this machine cannot run 32-bit code)"
fi
prefix=$dir/wine-prefix-bench

. tools/xvfb.sh
cleanup() {
    cmake/wine-run "$prefix" "$wine_arch" --server -k >/dev/null 2>&1 || true
    stop_started
}
trap cleanup EXIT
cmake/wine-run "$prefix" "$wine_arch" --server -k >/dev/null 2>&1 || true
start_xvfb

# One unmeasured start first: Wine's server and its background programs come up with it.
cmake/wine-run "$prefix" "$wine_arch" "$dir/tests/win32/korimbo_e2e.exe" startup "$dir/app/korimbo.exe" 1 >/dev/null
cmake/wine-run "$prefix" "$wine_arch" "$dir/tests/win32/korimbo_e2e.exe" startup "$dir/app/korimbo.exe" "$runs" |
    tr -d '\r'

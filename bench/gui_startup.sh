#!/usr/bin/env bash
# The window program under Xvfb, from outside: time from the start of the process to the window's
# first paint, peak memory (maximum resident set), and the time to convert a 32 KiB pasted
# thunder link, from the release of "转换" to the end of the repaint that follows. Peak memory
# is the process's VmHWM after the conversion.
# Targets on the project's 2-core machine: start <= 150 ms, memory <= 60 MB, convert < 50 ms.
#   bench/gui_startup.sh [RUNS]          (default 10)
# KORIMBO_BUILD names the build folder (default build/gui-bench, a Release build made when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
build=${KORIMBO_BUILD:-build/gui-bench}

# korimbo-timed is the window program with a timing report on standard error.
if [ ! -x "$build/bench/korimbo-timed" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORIMBO_TESTS=OFF -DKORIMBO_BENCH=ON >/dev/null
    cmake --build "$build" --target korimbo-timed -j2 >/dev/null
fi

# A desktop session has a D-Bus session bus; without one, Qt's D-Bus clients fork dbus-launch to
# look for it, which costs more than the whole start. Point them at no bus instead, as cheap as
# reaching a real one (set DBUS_SESSION_BUS_ADDRESS yourself to measure otherwise).
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/korimbo-bench-bus}

. tools/xvfb.sh
work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT
start_xvfb 1920x1080x24

# A thunder link of 32 KiB (32 770 bytes: Base64 comes in groups of four) around a long address.
python3 - "$work/paste" <<'PY'
import base64, sys
address = b"http://example.com/" + b"x" * (24566 - 19 - 4) + b".rar"
link = b"thunder://" + base64.b64encode(b"AA" + address + b"ZZ")
assert len(link) == 32770, len(link)
open(sys.argv[1], "wb").write(link)
PY
xclip -quiet -selection clipboard -i "$work/paste" >/dev/null 2>&1 &
stop_at_exit $!

# Waits until standard error of the run holds a line matching $1; prints that line.
wait_for_line() {
    for _ in $(seq 1000); do
        if line=$(grep -m 1 -- "$1" "$work/err" 2>/dev/null); then
            echo "$line"
            return 0
        fi
        sleep 0.01
    done
    echo "timed out waiting for: $1" >&2
    return 1
}

printf '%-5s %12s %12s %14s\n' run start_ms peak_MB convert_ms
starts=()
peaks=()
converts=()
for run in $(seq "$runs"); do
    : >"$work/err"
    start=$(date +%s%N)
    "$build/bench/korimbo-timed" 2>>"$work/err" &
    pid=$!
    shown=$(wait_for_line 'shown at' | awk '{print $4}')
    window=$(xdotool search --sync --onlyvisible --name '^Korimbo$' | head -n 1)
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+v
    xdotool mousemove --window "$window" 340 44 click 1
    took=$(wait_for_line 'conversion and repaint took' | awk '{print $6}')
    # Peak resident memory so far, read before the window closes.
    rss_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    xdotool key Escape
    wait "$pid"
    start_ms=$(awk -v a="$start" -v b="$shown" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
    peak_mb=$(awk -v k="$rss_kb" 'BEGIN { printf "%.1f", k / 1024 }')
    convert_ms=$(awk -v u="$took" 'BEGIN { printf "%.1f", u / 1000 }')
    printf '%-5s %12s %12s %14s\n' "$run" "$start_ms" "$peak_mb" "$convert_ms"
    starts+=("$start_ms")
    peaks+=("$peak_mb")
    converts+=("$convert_ms")
done

# What starting any program costs on this machine right now, for comparison.
baselines=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    /bin/true
    end=$(date +%s%N)
    baselines+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')")
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
maximum() { printf '%s\n' "$@" | sort -n | tail -n 1; }
echo
echo "median start $(median "${starts[@]}") ms (max $(maximum "${starts[@]}")), target <= 150 ms"
echo "median peak memory $(median "${peaks[@]}") MB (max $(maximum "${peaks[@]}")), target <= 60 MB"
echo "median 32 KiB convert + repaint $(median "${converts[@]}") ms (max $(maximum "${converts[@]}")), target < 50 ms"
echo "baseline: starting /bin/true takes $(median "${baselines[@]}") ms (median)"
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), load $(cut -d' ' -f1-3 /proc/loadavg)"

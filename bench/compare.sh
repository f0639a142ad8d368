#!/usr/bin/env bash
# Times Korimbo against reference tools on large inputs and prints each ratio as
# "reference time / our time" (above 1: Korimbo is faster).
#
#   bench/compare.sh                 # from anywhere; builds build/bench (Release) when needed
#   BUILD_DIR=build/other bench/compare.sh
#
# 1. The Base64 codec (bench/korimbo-base64) against coreutils base64 on a 64 MiB random file:
#    encoding against "base64 -w0" (no line breaks, like ours), decoding of that text against
#    "base64 -d". The outputs must be identical, or the script stops.
# 2. The command-line converter (cli/korimbo-convert --format json) against
#    bench/convert_reference.py (Python, standard library base64) on 1,000,000 typical links from
#    bench/make_links.py; the two outputs must be identical too (checked on 100,000 of them).
# 3. The converter's own throughput on the same 1,000,000 links: --format json, text (all forms)
#    and --to thunder, in links per second, beside "cat" of the same file to /dev/null as the floor
#    of reading it; and one huge line (a plain address of 16 MiB and of 128 MiB) converted with
#    --format json: time, MB/s and peak memory as a multiple of the line's size.
#
# Times come from hyperfine (median of several runs) when it is installed, otherwise from the best
# of the same number of runs timed with date. The whole comparison takes a minute or two, most of
# it in the Python script. Temporary files go
# to a directory under $TMPDIR that is removed at the end.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
case $build in /*) ;; *) build=$root/$build ;; esac

if [ ! -f "$build/CMakeCache.txt" ] || ! grep -q '^KORIMBO_BENCH:BOOL=ON' "$build/CMakeCache.txt" ||
    ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt"; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORIMBO_BENCH=ON -DKORIMBO_TESTS=OFF \
        -DKORIMBO_GUI=OFF >/dev/null
fi
cmake --build "$build" -j2 --target korimbo-base64 korimbo-convert >/dev/null

ours_codec=$build/bench/korimbo-base64
ours_convert=$build/cli/korimbo-convert
work=$(mktemp -d "${TMPDIR:-/tmp}/korimbo-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Both converters read and write UTF-8.
export LC_ALL=C.UTF-8

# Seconds taken by the shell command $1: hyperfine's median of $2 runs (after $3 warm-up runs),
# or without hyperfine the best of $2 runs timed with date.
seconds() {
    local command=$1 runs=$2 warmup=$3
    if command -v hyperfine >/dev/null; then
        if ! hyperfine --style none --warmup "$warmup" --runs "$runs" --export-json "$work/times.json" \
            "$command" >/dev/null 2>"$work/hyperfine.err"; then
            cat "$work/hyperfine.err" >&2
            exit 1
        fi
        python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["results"][0]["median"])' \
            "$work/times.json"
    else
        local best='' start end run
        for ((run = 0; run < runs; ++run)); do
            start=$(date +%s.%N)
            bash -c "$command"
            end=$(date +%s.%N)
            best=$(python3 -c 'import sys; t = float(sys.argv[2]) - float(sys.argv[1]); b = sys.argv[3]
print(min(t, float(b)) if b else t)' "$start" "$end" "$best")
        done
        echo "$best"
    fi
}

# Prints one comparison line: what, both times and the ratio.
report() {
    python3 -c 'import sys
name, ref, ours = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
print(f"{name:<34} reference {ref:8.3f} s   korimbo {ours:8.3f} s   ratio {ref / ours:6.2f}")' "$@"
}

same() {
    if ! cmp -s "$1" "$2"; then
        echo "compare.sh: $1 and $2 differ" >&2
        exit 1
    fi
}

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) CPUs"

head -c $((64 << 20)) /dev/urandom >"$work/data"
base64 -w0 "$work/data" >"$work/ref.b64"
"$ours_codec" encode "$work/data" "$work/ours.b64"
same "$work/ref.b64" "$work/ours.b64"
"$ours_codec" decode "$work/ref.b64" "$work/ours.bin"
same "$work/data" "$work/ours.bin"

ref=$(seconds "base64 -w0 '$work/data' >'$work/ref.b64'" 5 1)
ours=$(seconds "'$ours_codec' encode '$work/data' '$work/ours.b64'" 5 1)
report "encode 64 MiB (base64 -w0)" "$ref" "$ours"
ref=$(seconds "base64 -d '$work/ref.b64' >'$work/ref.bin'" 5 1)
ours=$(seconds "'$ours_codec' decode '$work/ref.b64' '$work/ours.bin'" 5 1)
report "decode 64 MiB (base64 -d)" "$ref" "$ours"
rm -f "$work"/data "$work"/*.b64 "$work"/*.bin

# The outputs are compared on the first 100,000 lines; the Python script alone takes some 20 s
# per million lines, so it is timed on two runs without a warm-up.
python3 "$root/bench/make_links.py" 1000000 >"$work/links"
head -n 100000 "$work/links" >"$work/sample"
python3 "$root/bench/convert_reference.py" <"$work/sample" >"$work/ref.json"
"$ours_convert" --format json <"$work/sample" >"$work/ours.json"
same "$work/ref.json" "$work/ours.json"

ref=$(seconds "python3 '$root/bench/convert_reference.py' <'$work/links' >/dev/null" 2 0)
ours=$(seconds "'$ours_convert' --format json <'$work/links' >/dev/null" 5 1)
report "convert 1,000,000 links (json)" "$ref" "$ours"

# Throughput of the converter itself, against cat as the floor of reading the input.
floor=$(seconds "cat '$work/links' >/dev/null" 5 1)
throughput() {
    python3 -c 'import sys
name, links, ours, floor = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
print(f"{name:<34} korimbo {ours:8.3f} s   {links / ours / 1e6:6.2f} M links/s   {ours / floor:6.1f} x cat ({floor:.3f} s)")' "$@"
}
for mode in "--format json" "--format text" "--to thunder"; do
    ours=$(seconds "'$ours_convert' $mode <'$work/links' >/dev/null" 5 1)
    throughput "1,000,000 links ($mode)" 1000000 "$ours" "$floor"
done
rm -f "$work"/links "$work"/sample "$work"/*.json

# One huge line: the median time of three runs and the peak memory of the child.
huge() {
    python3 - "$@" <<'PYTHON'
import resource, statistics, subprocess, sys, time
convert, path, size = sys.argv[1], sys.argv[2], int(sys.argv[3])
times = []
for _ in range(3):
    with open(path, "rb") as source:
        start = time.perf_counter()
        subprocess.run([convert, "--format", "json"], stdin=source, stdout=subprocess.DEVNULL, check=True)
        times.append(time.perf_counter() - start)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024
median = statistics.median(times)
name = f"one line of {size >> 20} MiB (json)"
print(f"{name:<34} korimbo {median:8.3f} s   {size / median / 1e6:7.0f} MB/s   peak {peak / 2**20:7.1f} MiB "
      f"= {peak / size:4.2f} x the line")
PYTHON
}
for mib in 16 128; do
    python3 -c 'import sys
size = int(sys.argv[1]) << 20
sys.stdout.buffer.write(b"http://example.com/" + b"x" * (size - 19) + b"\n")' "$mib" >"$work/line"
    huge "$ours_convert" "$work/line" $((mib << 20))
    rm -f "$work/line"
done

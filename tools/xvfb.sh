# Sourced by the scripts that show a window on a display of their own (screenshots, start-up
# benchmarks).
#   start_xvfb [GEOMETRY]   starts Xvfb (default 1024x768x24) on a display nobody uses, waits
#                           until it answers and exports DISPLAY; XVFB_PID is the server's process,
#                           for the caller to stop.
start_xvfb() {
    local number=90
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    export DISPLAY=":$number"
    Xvfb "$DISPLAY" -screen 0 "${1:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb on $DISPLAY did not answer" >&2
    return 1
}

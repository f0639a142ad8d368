# Sourced by the scripts that show a window on a display of their own (screenshots, start-up
# benchmarks, the window-manager tests).
#   stop_at_exit PID        names a process for stop_started to end.
#   stop_started            ends every process named so far, newest first, and waits for them;
#                           the caller runs it from its EXIT trap.
#   start_xvfb [GEOMETRY]   starts Xvfb (default 1024x768x24) on a display that Xvfb finds free
#                           itself, waits until it answers and exports DISPLAY.
#   start_openbox           starts the Openbox window manager with its default settings on
#                           $DISPLAY and waits until it manages the screen.
# Both name what they start to stop_at_exit.
KORIMBO_STARTED=()
stop_at_exit() {
    KORIMBO_STARTED=("$1" "${KORIMBO_STARTED[@]}")
}

stop_started() {
    local pid
    for pid in "${KORIMBO_STARTED[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}

start_xvfb() {
    local number
    number=$(mktemp)
    # -displayfd: Xvfb takes the first free display and writes its number once it answers.
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    stop_at_exit $!
    for _ in $(seq 200); do
        if [ -s "$number" ]; then
            export DISPLAY=":$(head -n 1 "$number")"
            rm -f "$number"
            return 0
        fi
        sleep 0.05
    done
    rm -f "$number"
    echo "Xvfb did not start" >&2
    return 1
}

start_openbox() {
    local home
    home=$(mktemp -d)
    # A home of its own, so that nobody's Openbox settings count.
    HOME=$home XDG_CONFIG_HOME=$home/config openbox >"$home/openbox.log" 2>&1 &
    stop_at_exit $!
    for _ in $(seq 200); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.05
    done
    echo "Openbox did not start; its log:" >&2
    cat "$home/openbox.log" >&2
    return 1
}

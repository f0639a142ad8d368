#!/usr/bin/env bash
# Korimbo as a desktop's handler of thunder:// links, end to end: installed into a scratch prefix
# (its .desktop file in a scratch XDG_DATA_HOME), made the default for x-scheme-handler/thunder
# with xdg-mime in a scratch XDG_CONFIG_HOME, then `xdg-open thunder://…` on an Xvfb display of
# its own starts the installed korimbo, whose 真实地址 box shows the real address.
#   xdg_open_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
link='thunder://QUFodHRwOi8vYS9iLnJhclpa'
want='http://a/b.rar'

. "$source/tools/xvfb.sh"
scratch=$(mktemp -d)
trap 'stop_started; rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
# Only the scratch folders count: nothing of the machine's own desktop settings.
export HOME=$scratch/home
export XDG_DATA_HOME=$scratch/prefix/share XDG_DATA_DIRS=$scratch/system/share
export XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/system/config
export XDG_RUNTIME_DIR=$scratch/runtime XDG_CURRENT_DESKTOP=X-Generic PATH=$scratch/prefix/bin:$PATH
unset QT_QPA_PLATFORM WAYLAND_DISPLAY BROWSER DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$HOME" "$XDG_DATA_DIRS" "$XDG_CONFIG_DIRS"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# In a sanitizer build, what libraries keep until exit is not a leak of ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/lsan-suppressions.txt

[ -f "$XDG_DATA_HOME/applications/korimbo.desktop" ] || fail "korimbo.desktop is not installed"
xdg-mime default korimbo.desktop x-scheme-handler/thunder
handler=$(xdg-mime query default x-scheme-handler/thunder)
[ "$handler" = korimbo.desktop ] || fail "xdg-mime names '$handler' for x-scheme-handler/thunder"

start_xvfb

# xdg-open waits for the program it starts.
xdg-open "$link" >"$scratch/xdg-open.log" 2>&1 &
opener=$!
stop_at_exit "$opener"
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Korimbo$' | head -n 1) ||
    fail "no Korimbo window; xdg-open said: $(cat "$scratch/xdg-open.log")"
pid=$(xdotool getwindowpid "$window")
[ "$(readlink "/proc/$pid/exe")" = "$scratch/prefix/bin/korimbo" ] ||
    fail "the window belongs to $(readlink "/proc/$pid/exe"), not the installed korimbo"
[ "$(tr '\0' ' ' <"/proc/$pid/cmdline")" = "$scratch/prefix/bin/korimbo $link " ] ||
    fail "korimbo was started as: $(tr '\0' ' ' <"/proc/$pid/cmdline")"

# Read 真实地址 (编辑框2, client area 80,72, 224 x 24) as a user would: select it, copy it.
xdotool windowfocus --sync "$window"
real=
for _ in $(seq 50); do
    xdotool mousemove --window "$window" 190 84 click 1 key ctrl+a ctrl+c
    real=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$real" = "$want" ] && break
    sleep 0.1
done
[ "$real" = "$want" ] || fail "真实地址 holds '$real', not '$want'"

# Esc closes the window; korimbo ends with status 0 and so does xdg-open.
xdotool key Escape
for _ in $(seq 100); do
    kill -0 "$opener" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$opener" 2>/dev/null && fail "korimbo did not end after Esc"
status=0
wait "$opener" || status=$?
[ "$status" = 0 ] || fail "xdg-open ended with status $status: $(cat "$scratch/xdg-open.log")"
echo "xdg-open $link: korimbo showed $real"

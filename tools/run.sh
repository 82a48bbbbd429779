#!/usr/bin/env bash
# Opens Ohmbra. Without a display it runs the program under Xvfb instead, saves a screenshot
# of its window, closes it and says where the screenshot is.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/ohmbra

if [ -n "${WAYLAND_DISPLAY:-}" ] || { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
    exec "$program"
fi

screenshot=build/ohmbra-screenshot.png
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    program=$1 screenshot=$2
    "$program" & pid=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^Ohmbra$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "make run: the Ohmbra window did not appear under Xvfb" >&2
        kill "$pid" 2>/dev/null; exit 1
    fi
    sleep 0.5 # let the first paint land
    import -window "$window" "$screenshot"
    xdotool windowfocus --sync "$window" key Escape
    wait "$pid"
' run "$program" "$screenshot"
echo "There is no display here, so Ohmbra ran under Xvfb (a virtual X server) and was closed again."
echo "Its window is saved in $(pwd)/$screenshot"

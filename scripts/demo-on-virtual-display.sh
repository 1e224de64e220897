#!/usr/bin/env bash
# Starts the program on a private virtual X display (no network port), types one contact into
# it with real key events, saves a screenshot of the window and closes everything again.
#   demo-on-virtual-display.sh PROGRAM SCREENSHOT.png
set -euo pipefail
program=$(realpath "$1")
shot=$2
mkdir -p "$(dirname "$shot")"

display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || true

# The program keeps its log next to itself; run a copy in a scratch directory.
work=$(mktemp -d)
cp "$program" "$work/"
"$work/$(basename "$program")" &
app=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Vandrel v1.2' | head -n 1)
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
# Call, number, locator, then Enter.
xdotool type --delay 40 'q1abc'
xdotool key Tab
xdotool type --delay 40 '012'
xdotool key Tab
xdotool type --delay 40 'jn80xy'
xdotool key Return
sleep 0.5
import -window root "$shot"
echo "Vandrel ran on a virtual display (no screen here) and logged one contact."
echo "Screenshot of its window: $(realpath "$shot")"

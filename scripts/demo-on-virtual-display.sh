#!/usr/bin/env bash
# Starts the program on a private virtual X display (no network port), types one contact into
# it with real key events, saves a screenshot of the window and closes everything again.
#   demo-on-virtual-display.sh PROGRAM SCREENSHOT.png
set -euo pipefail
# shellcheck source=virtual-display.sh
source "$(dirname "$0")/virtual-display.sh"
program=$(realpath "$1")
shot=$2
mkdir -p "$(dirname "$shot")"

# The program keeps its log next to itself; run a copy in a scratch directory, removed at the end.
work=$(mktemp -d)
app=""
trap 'end_virtual_session "$app" "$work"' EXIT
start_virtual_display || {
    echo "The virtual display did not start." >&2
    exit 1
}

cp "$program" "$work/"
"$work/$(basename "$program")" &
app=$!

window=$(find_window '^Vandrel v1\.2') || {
    echo "The program's window did not open." >&2
    exit 1
}
timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
# Call, number, locator, then Enter.
xdotool type --delay 40 'q1abc'
xdotool key Tab
xdotool type --delay 40 '012'
xdotool key Tab
xdotool type --delay 40 'jn80xy'
xdotool key Return
# Time to draw the added contact before the picture is taken.
sleep 0.5
import -window root "$shot"
echo "Vandrel ran on a virtual display (no screen here) and logged one contact."
echo "Screenshot of its window: $(realpath "$shot")"

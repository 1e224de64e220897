#!/usr/bin/env bash
# Starts Vandrel on a private virtual display with the accessibility bus running, presses "Add"
# with the entry empty so that a message box is open too, and prints the accessibility tree a
# screen reader walks (AT-SPI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh accessibility
cmake --preset default >/dev/null
cmake --build --preset default --target vandrel >/dev/null

display=140
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$display"
work=$(mktemp -d)
cp build/src/vandrel "$work/"

dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1/vandrel" >/dev/null 2>&1 &
    app=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Vandrel v1" | head -n 1)
    xdotool mousemove --window "$window" 52 105 click 1 # "Add"
    sleep 1.5
    timeout 30 /usr/bin/python3 scripts/accessibility-tree.py
    kill $app
' _ "$work" 2>/dev/null
rm -rf "$work"

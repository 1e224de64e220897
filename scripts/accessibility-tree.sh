#!/usr/bin/env bash
# Starts Vandrel on a private virtual display with the accessibility bus running, presses "Add"
# with the entry empty so that a message box is open too, and prints the accessibility tree a
# screen reader walks (AT-SPI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh accessibility
cmake --preset default >/dev/null
cmake --build --preset default --target vandrel >/dev/null

source scripts/virtual-display.sh
work=$(mktemp -d)
trap 'end_virtual_session "" "$work"' EXIT
start_virtual_display || fail "the virtual display did not start"
cp build/src/vandrel "$work/"

dbus-run-session -- bash -c '
    source scripts/virtual-display.sh
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    wait_until 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1/vandrel" >/dev/null 2>&1 &
    app=$!
    window=$(find_window "$main_window_title")
    click add
    find_window "^Vandrel\$" 10 >/dev/null
    timeout 30 /usr/bin/python3 scripts/accessibility-tree.py
    kill $app
' _ "$work" 2>/dev/null

#!/usr/bin/env bash
# Starts the program on a private virtual X display (no network port) with a window manager, types
# one contact into it with real key events, saves a screenshot of the window in its frame and
# closes everything again.
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
start_virtual_display || fail "the virtual display did not start"
start_window_manager || fail "the window manager did not start"

cp "$program" "$work/"
"$work/$(basename "$program")" &
app=$!

window=$(find_window "$main_window_title") || fail "the program's window did not open"
focus_window "$window"

# The picture is taken once the added contact is drawn: the log box then differs from before.
log_box_picture() {
    import -window "$window" -crop "${log_box_area}" +repage "$1"
}
log_box_changed() {
    log_box_picture "$work/log-box-now.png"
    # compare exits with 1 when the pictures differ.
    compare -metric AE "$work/log-box-before.png" "$work/log-box-now.png" null: 2>/dev/null
    [ $? -eq 1 ]
}
log_box_area=340x60+22+120
log_box_picture "$work/log-box-before.png"
type_contact q1abc 012 jn80xy
wait_until 10 log_box_changed || fail "the contact was not drawn in the log box"
# The window with the frame and title bar the window manager drew around it.
import -frame -window "$window" "$shot"
echo "Vandrel ran on a virtual display (no screen here) and logged one contact."
echo "Screenshot of its window: $(realpath "$shot")"

#!/usr/bin/env bash
# Text copied in another program that has since ended, pasted into every box of the real program
# on a private virtual X display: with Ctrl+V, and into the log box with the middle button from
# the primary selection. The X clipboard then offers data without any format. Nothing is
# pasted, the window lives on, and a contact typed afterwards is saved exactly.
#   paste_after_owner_gone.sh PROGRAM [ARTIFACT_DIR]
# Needs Xvfb, xdotool, xclip and faketime. Every wait is bounded, so it cannot hang.
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"

program=$(realpath "$1")
begin_session "${2:-}" e2e-paste-failure.png

start_virtual_display || fail "the virtual display did not start"
cp "$program" "$work/vandrel"
start_at_fixed_clock "$work/vandrel" "$work/stderr.txt"
window=$(find_window "$main_window_title" 30) || fail "the window did not open"
focus_window "$window"

# copied_then_ended SELECTION: another program (xclip, kept in the foreground so that its own
# process id is known) owns SELECTION with a text, then ends; waits until the server says that
# nobody owns it any more.
copied_then_ended() {
    printf 'Q9ZZZ pasted' | xclip -quiet -selection "$1" -i >/dev/null 2>&1 &
    local owner=$!
    wait_until 10 xclip -selection "$1" -o || fail "xclip did not take the $1 selection"
    kill "$owner"
    wait "$owner" 2>/dev/null || true
    wait_until 10 bash -c "! xclip -selection $1 -o" || fail "the $1 selection still has an owner"
}

alive() {
    process_ended "$app" && fail "the program died after $1"
    return 0
}

# click_on CONTROL WHAT: a click on CONTROL, failing with WHAT when the window is gone.
click_on() {
    click "$1" 2>/dev/null || fail "the window was gone after $2"
}

copied_then_ended clipboard
copied_then_ended primary
last="the start"
for box in log call number locator; do
    click_on "$box" "$last"
    xdotool key ctrl+v
    last="Ctrl+V in the $box box"
done
# The middle button pastes the primary selection where it is clicked.
click_on log "$last"
xdotool click 2
click_on call "the middle button in the log box"
alive "the pastes"

type_contact q1abc 012 jn80xy
click save
answer_box "Morvit Vandrel" Return "Log saved in"
alive "the save"

expected=$(mktemp -p "$work")
printf '%s\r\n' '001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY' '' >"$expected"
same_bytes "$expected" "$work/vandrel.txt" "$artifacts/e2e-paste-vandrel.txt" ||
    fail "vandrel.txt holds more than the contact typed"
echo "1 passed, 0 failed: pastes from a clipboard whose owner has ended did nothing"

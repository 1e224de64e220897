#!/usr/bin/env bash
# A short contest worked the way an operator works it: the real program on a private virtual X
# display, driven only by X key presses and mouse clicks. Ends by checking the bytes of the saved
# log file.
#   contest_session.sh PROGRAM [ARTIFACT_DIR]
# Needs Xvfb, xdotool and faketime. Every wait is bounded, so it cannot hang.
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"

program=$(realpath "$1")
begin_session "${2:-}" e2e-failure.png

# --- a private display, no network port --------------------------------------------------------
start_virtual_display || fail "the virtual display did not start"

# --- the program, with a known clock and date format ---------------------------------------------
cp "$program" "$work/vandrel"
start_program() {
    start_at_fixed_clock "$work/vandrel" "$work/stderr.txt"
    window=$(find_window "$main_window_title" 30) || fail "the window did not open"
    focus_window "$window"
}

# The program takes X input in the order it was sent, so a key or click needs no wait of its own:
# the script waits only where the program shows or hides a window.

type_text() {
    xdotool type --delay 10 "$1"
}
key() {
    xdotool key "$@"
}

wait_for_exit() {
    wait_until 20 process_ended "$app" || fail "the program did not end after Yes"
    app=""
}

# --- first session ------------------------------------------------------------------------------
start_program
type_contact q1abc 012 jn80xy
type_contact q2xyz 7 jn81aa

# A station already in the log: the call turns red and Enter is refused.
type_contact q1abc 013 jn80xy
answer_box Vandrel Return "Duplicate!"
# Correct the call; the number and locator are still there.
click call
key ctrl+a BackSpace
type_text q3def
click locator
key Return

# HF: no locator; Enter in the number box adds.
click hf
click call
type_text q4hf
key Tab
type_text 5
key Return
click hf

# Multiband: a station logged without a band may be logged once on each band.
click multiband
click band
key ctrl+a
type_text "432 Mhz"
click call
type_contact q1abc 020 jn80xy
click band
key ctrl+a
type_text "144 Mhz"
click call
type_contact q1abc 021 jn80xy
click multiband # unticked: the band goes back to "..." and the focus to the call box

click save
answer_box "Morvit Vandrel" Return "Log saved in"

# Exit, answered No (Escape, and a stray Enter, which answers No): nothing happens. Then Yes.
click exit
answer_box Vandrel Escape "Want to exit now?"
! process_ended "$app" || fail "the program ended after No"
click exit
answer_box Vandrel Return "Want to exit now?"
! process_ended "$app" || fail "the program ended after Enter"
click exit
answer_box Vandrel y "Want to exit now?"
wait_for_exit

# --- second session: open the log and carry on ----------------------------------------------------
start_program
click open
click gmt # the clock now runs one hour ahead of UTC
type_contact q5new 9 jn82bb
click save
answer_box "Morvit Vandrel" Return "Log saved in"
click exit
answer_box Vandrel y "Want to exit now?"
wait_for_exit

# --- the file, byte for byte --------------------------------------------------------------------
expected=$(mktemp -p "$work")
printf '%s\r\n' \
    '001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY' \
    '002-+-16/07/2016---1345---Q2XYZ---59---7---JN81AA' \
    '003-+-16/07/2016---1345---Q3DEF---59---013---JN80XY' \
    '004-+-16/07/2016---1345---Q4HF---59---5---' \
    '005-+-16/07/2016---1345---Q1ABC---59---020---JN80XY-->432 Mhz' \
    '006-+-16/07/2016---1345---Q1ABC---59---021---JN80XY-->144 Mhz' \
    '007-+-16/07/2016---1445---Q5NEW---59---9---JN82BB' \
    '' >"$expected"
same_bytes "$expected" "$work/vandrel.txt" "$artifacts/e2e-vandrel.txt" ||
    fail "vandrel.txt differs from the contest that was typed"
echo "1 passed, 0 failed: the contest session saved exactly the lines typed"

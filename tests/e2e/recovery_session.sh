#!/usr/bin/env bash
# The recovery file against real kills: the real program on a private virtual X display, driven
# by X key presses and clicks, killed with SIGKILL in the middle of a contest, started again.
#   recovery_session.sh PROGRAM [ARTIFACT_DIR]
# 1. Three contacts and a line typed into the log box, then kill -9.
# 2. Start: "Restore the log?" Yes, one more contact, "Save": vandrel.txt must hold every
#    contact byte for byte as an uninterrupted session would have saved it. Exit.
# 3. Start: no question after that Save and Exit. One contact, kill -9.
# 4. Start: No. The file is set aside under a dated name and the log starts empty.
# Needs Xvfb, xdotool and faketime. Every wait polls a condition with a bound; none sleeps for a
# fixed time.
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"

program=$(realpath "$1")
begin_session "${2:-}" e2e-recovery-failure.png
journal="$work/vandrel.recovery"

# --- a private display, no network port --------------------------------------------------------
start_virtual_display || fail "the virtual display did not start"

cp "$program" "$work/vandrel"

launch() {
    start_at_fixed_clock "$work/vandrel" "$work/stderr.txt"
}

# Waits for the main window, gives it the keyboard and learns the program's own process.
window_opens() {
    window=$(find_window "$main_window_title" 20) || fail "the window did not open"
    focus_window "$window"
    pid=$(xdotool getwindowpid "$window") || fail "no process for the window"
}

kill_program() {
    kill -9 "$pid"
    wait_until 10 process_ended "$pid" || fail "the program outlived SIGKILL"
    wait_until 10 process_ended "$app" || fail "faketime outlived the program"
    app=""
}

exit_program() {
    click exit
    answer_box Vandrel y "Want to exit now?"
    wait_until 10 process_ended "$pid" || fail "the program did not end after Yes"
    app=""
}

journal_holds() {
    grep -aqF -- "$1" "$journal"
}

# A contact typed into the call, number and locator boxes, Enter, and on the disk before the
# next keystroke could matter: the journal must hold it.
contact() {
    type_contact "$1" "$2" "$3"
    wait_until 10 journal_holds "${1^^}---59---$2---${3^^}" ||
        fail "contact ${1^^} is not in the recovery file"
}

# --- 1. a contest, killed -------------------------------------------------------------------------
launch
window_opens
window_gone "^Morvit Vandrel$" || fail "a question at the very first start"
[ ! -e "$journal" ] || fail "a recovery file before any contact"
contact q1abc 012 jn80xy
contact q2xyz 7 jn81aa
contact q3def 013 jn80xy
# A note typed at the end of the log box; its keys reach the file within the edit delay.
click log
xdotool key ctrl+End
xdotool type --delay 20 "checked"
xdotool key Return
typed=$(date +%s%N)
wait_until 10 journal_holds "checked" || fail "the typed note never reached the recovery file"
echo "the note typed into the log box was on disk $(( ($(date +%s%N) - typed) / 1000000 )) ms" \
    "after its last key"
kill_program

# --- 2. restored, continued and saved ------------------------------------------------------------
launch
answer_box "Morvit Vandrel" Return "Restore the log?"
window_opens
contact q4new 9 jn82bb
click save
answer_box "Morvit Vandrel" Return "Log saved in"

expected="$work/expected.txt"
printf '%s\r\n' \
    '001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY' \
    '002-+-16/07/2016---1345---Q2XYZ---59---7---JN81AA' \
    '003-+-16/07/2016---1345---Q3DEF---59---013---JN80XY' \
    'checked' \
    '004-+-16/07/2016---1345---Q4NEW---59---9---JN82BB' \
    '' >"$expected"
same_bytes "$expected" "$work/vandrel.txt" "$artifacts/e2e-recovery-vandrel.txt" ||
    fail "vandrel.txt after the kill differs from the contest that was typed"
exit_program

# --- 3. after Save and Exit: no question; then one more contact, killed ---------------------------
launch
window_opens
window_gone "^Morvit Vandrel$" || fail "a question after a saved log"
contact q5abc 21 jn83cc
kill_program

# --- 4. No: the file goes aside and the window starts empty ---------------------------------------
before=$(cat "$journal")
launch
answer_box "Morvit Vandrel" Escape "Restore the log?"
window_opens
[ ! -e "$journal" ] || fail "the recovery file is still in place after No"
aside=("$work"/vandrel.recovery.*)
[ ${#aside[@]} -eq 1 ] && [ -f "${aside[0]}" ] || fail "no file set aside after No"
[ "$(cat "${aside[0]}")" = "$before" ] || fail "the file set aside is not the file left"
click save
answer_box "Morvit Vandrel" Return "Impossible to save an empty log"
cmp -s "$expected" "$work/vandrel.txt" || fail "vandrel.txt changed after No"
exit_program

echo "1 passed, 0 failed: kill -9 lost nothing; Yes restored it, No set it aside, Save ended it"

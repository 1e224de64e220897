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
artifacts=$(realpath -m "${2:-.}")
mkdir -p "$artifacts"
work=$(mktemp -d)
app=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/e2e-failure.png" 2>/dev/null &&
        echo "screenshot: $artifacts/e2e-failure.png" >&2
    exit 1
}

trap 'end_virtual_session "$app" "$work"' EXIT

# --- a private display, no network port --------------------------------------------------------
start_virtual_display || fail "the virtual display did not start"

# --- the program, with a known clock and date format ---------------------------------------------
# 15:45 local time; with "gmt+1" unticked the log says 1345 UTC. The monotonic clock stays real so
# the toolkit's timers run normally.
cp "$program" "$work/vandrel"
start_program() {
    env TZ=UTC LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8 QT_QPA_PLATFORM=xcb \
        FAKETIME_DONT_FAKE_MONOTONIC=1 \
        faketime -f '2016-07-16 15:45:00' "$work/vandrel" 2>"$work/stderr.txt" &
    app=$!
    window=$(find_window '^Vandrel v1\.2 - Morvit$' 30) || fail "the window did not open"
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# The program takes X input in the order it was sent, so a key or click needs no wait of its own:
# the script waits only where the program shows or hides a window.

# Positions of the controls inside the 385 x 355 window (pixels at 96 dpi).
declare -A at=(
    [call]="56 73" [number]="136 73" [locator]="216 73" [band]="280 74"
    [gmt]="103 104" [multiband]="159 104" [hf]="231 104"
    [open]="124 332" [save]="192 332" [exit]="260 332"
)
click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${at[$1]} click 1
}
type_text() {
    xdotool type --delay 10 "$1"
}
key() {
    xdotool key "$@"
}

# Waits for a message box titled $1, checks it says $2, then answers with key $3.
answer_box() {
    local title=$1 expected=$2 answer=$3 box
    box=$(find_window "^$title\$" 20) || fail "no message box \"$title\" (expected: $expected)"
    timeout 5 xdotool windowfocus --sync "$box" 2>/dev/null || true
    key "$answer"
    wait_until 10 window_gone "^$title\$" || fail "message box \"$title\" did not close"
}

program_ended() {
    ! kill -0 "$app" 2>/dev/null
}
wait_for_exit() {
    wait_until 20 program_ended || fail "the program did not end after Yes"
    app=""
}

contact() { # call number locator: typed, then Enter in the locator box
    type_text "$1"
    key Tab
    type_text "$2"
    key Tab
    type_text "$3"
    key Return
}

# --- first session ------------------------------------------------------------------------------
start_program
contact q1abc 012 jn80xy
contact q2xyz 7 jn81aa

# A station already in the log: the call turns red and Enter is refused.
contact q1abc 013 jn80xy
answer_box Vandrel "Duplicate!" Return
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
contact q1abc 020 jn80xy
click band
key ctrl+a
type_text "144 Mhz"
click call
contact q1abc 021 jn80xy
click multiband # unticked: the band goes back to "..." and the focus to the call box

click save
answer_box "Morvit Vandrel" "Log saved in" Return

# Exit, answered No (Escape, and a stray Enter, which answers No): nothing happens. Then Yes.
click exit
answer_box Vandrel "Want to exit now?" Escape
kill -0 "$app" 2>/dev/null || fail "the program ended after No"
click exit
answer_box Vandrel "Want to exit now?" Return
kill -0 "$app" 2>/dev/null || fail "the program ended after Enter"
click exit
answer_box Vandrel "Want to exit now?" y
wait_for_exit

# --- second session: open the log and carry on ----------------------------------------------------
start_program
click open
click gmt # the clock now runs one hour ahead of UTC
contact q5new 9 jn82bb
click save
answer_box "Morvit Vandrel" "Log saved in" Return
click exit
answer_box Vandrel "Want to exit now?" y
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
[ -f "$work/vandrel.txt" ] || fail "no vandrel.txt was saved"
if ! cmp -s "$expected" "$work/vandrel.txt"; then
    echo "expected:" >&2
    od -c "$expected" | head -n 40 >&2
    echo "saved:" >&2
    od -c "$work/vandrel.txt" | head -n 40 >&2
    cp "$work/vandrel.txt" "$artifacts/e2e-vandrel.txt"
    fail "vandrel.txt differs from the contest that was typed"
fi
echo "1 passed, 0 failed: the contest session saved exactly the lines typed"

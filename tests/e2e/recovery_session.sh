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

program=$(realpath "$1")
artifacts=$(realpath -m "${2:-.}")
mkdir -p "$artifacts"
work=$(mktemp -d)
journal="$work/vandrel.recovery"
xvfb=""
app=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/e2e-recovery-failure.png" 2>/dev/null &&
        echo "screenshot: $artifacts/e2e-recovery-failure.png" >&2
    exit 1
}

cleanup() {
    [ -n "$app" ] && kill -9 "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# until SECONDS COMMAND...: runs COMMAND every 20 ms until it succeeds; fails after SECONDS.
until_true() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -le "$deadline" ] || return 1
        sleep 0.02
    done
}

# --- a private display, no network port --------------------------------------------------------
display=140
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
until_true 10 xdotool getmouselocation || fail "the virtual display did not start"

cp "$program" "$work/vandrel"
main_title='^Vandrel v1\.2 - Morvit$'

# Starts the program with a fixed clock (15:45 local, 1345 UTC with "gmt+1" unticked); the
# monotonic clock stays real so the toolkit's timers run normally.
launch() {
    env TZ=UTC LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8 QT_QPA_PLATFORM=xcb \
        FAKETIME_DONT_FAKE_MONOTONIC=1 \
        faketime -f '2016-07-16 15:45:00' "$work/vandrel" 2>>"$work/stderr.txt" &
    app=$!
}

# Waits for the main window, gives it the keyboard and learns the program's own process.
window_opens() {
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "$main_title" | head -n 1) ||
        fail "the window did not open"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    pid=$(xdotool getwindowpid "$window") || fail "no process for the window"
}

# Waits for a message box titled $1 and answers it with key $2 ($3 says what it was for).
answer_box() {
    local title=$1 answer=$2 what=$3 box
    box=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
        fail "no message box \"$title\" ($what)"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key "$answer"
    until_true 10 bash -c "! xdotool search --onlyvisible --name '^$title\$'" ||
        fail "message box \"$title\" did not close ($what)"
}

no_box_titled() {
    ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

kill_program() {
    kill -9 "$pid"
    until_true 10 bash -c "! kill -0 $pid" || fail "the program outlived SIGKILL"
    until_true 10 bash -c "! kill -0 $app" || fail "faketime outlived the program"
    app=""
}

exit_program() {
    click exit
    answer_box Vandrel y "Want to exit now?"
    until_true 10 bash -c "! kill -0 $pid" || fail "the program did not end after Yes"
    app=""
}

# Positions inside the 385 x 355 window (pixels at 96 dpi).
declare -A at=([log]="192 200" [save]="192 332" [exit]="260 332")
click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${at[$1]} click 1
}

journal_holds() {
    grep -aqF -- "$1" "$journal"
}

# A contact typed into the call, number and locator boxes, Enter, and on the disk before the
# next keystroke could matter: the journal must hold it.
contact() {
    xdotool type --delay 20 "$1"
    xdotool key Tab
    xdotool type --delay 20 "$2"
    xdotool key Tab
    xdotool type --delay 20 "$3"
    xdotool key Return
    until_true 10 journal_holds "${1^^}---59---$2---${3^^}" ||
        fail "contact ${1^^} is not in the recovery file"
}

# --- 1. a contest, killed -------------------------------------------------------------------------
launch
window_opens
no_box_titled "Morvit Vandrel" || fail "a question at the very first start"
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
until_true 10 journal_holds "checked" || fail "the typed note never reached the recovery file"
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
[ -f "$work/vandrel.txt" ] || fail "no vandrel.txt was saved"
if ! cmp -s "$expected" "$work/vandrel.txt"; then
    echo "expected:" >&2
    od -c "$expected" | head -n 40 >&2
    echo "saved:" >&2
    od -c "$work/vandrel.txt" | head -n 40 >&2
    cp "$work/vandrel.txt" "$artifacts/e2e-recovery-vandrel.txt"
    fail "vandrel.txt after the kill differs from the contest that was typed"
fi
exit_program

# --- 3. after Save and Exit: no question; then one more contact, killed ---------------------------
launch
window_opens
no_box_titled "Morvit Vandrel" || fail "a question after a saved log"
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

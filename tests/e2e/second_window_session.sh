#!/usr/bin/env bash
# Two windows on one log and a log folder that changes, with real processes: the real program on
# a private virtual X display, driven by X key presses, killed with SIGKILL.
#   second_window_session.sh PROGRAM [ARTIFACT_DIR]
# 1. Whatever vandrel.lock holds (nothing, NUL bytes, a directory, a dangling link, a link to a
#    directory), a second start while a window runs asks "in use by another Vandrel", and a stray
#    Return answers No: the second start ends and the first window's recovery file is untouched.
# 2. A second window (Yes) adds its own contact; both are killed; the next start offers both
#    windows' contacts in one question, and "Save" writes them all.
# 3. Two contacts, the folder made read-only, two more, kill: the next start keeps the log in the
#    data directory, offers the four contacts left in the old folder, and "Save" writes them.
# Needs Xvfb, xdotool, faketime and (run as root) setpriv. Every wait polls a condition with a
# bound; none sleeps for a fixed time.
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"

program=$(realpath "$1")
begin_session "${2:-}" e2e-second-window-failure.png
# Every program started is ended with the script, not only the last one.
started=()
trap 'for p in "${started[@]}"; do kill -9 "$p" 2>/dev/null || true; done; end_virtual_session "$app" "$work"' EXIT

start_virtual_display || fail "the virtual display did not start"

folder="$work/contest"
mkdir -p "$folder" "$work/data"
cp "$program" "$folder/vandrel"
journal="$folder/vandrel.recovery"
export XDG_DATA_HOME="$work/data"

# launch PROGRAM: starts it and remembers its faketime process.
launch() {
    start_at_fixed_clock "$1" "$work/stderr.txt"
    started+=("$app")
}

# window_of_other PID: prints a main window whose process is not PID.
window_of_other() {
    local id
    for id in $(xdotool search --onlyvisible --name "$main_window_title" 2>/dev/null); do
        if [ "$(xdotool getwindowpid "$id" 2>/dev/null)" != "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# window_opens [OTHER_THAN_PID]: waits for a main window (of a process other than the one
# given), gives it the keyboard and sets window and pid.
window_opens() {
    local deadline=$((SECONDS + 60))
    until window=$(window_of_other "${1:-none}"); do
        [ "$SECONDS" -lt "$deadline" ] || fail "the window did not open"
        sleep 0.05
    done
    focus_window "$window"
    pid=$(xdotool getwindowpid "$window") || fail "no process for the window"
    started+=("$pid")
}

kill_both() {
    local p
    for p in "$@"; do
        kill -9 "$p" 2>/dev/null || true
        wait_until 10 process_ended "$p" || fail "process $p outlived SIGKILL"
    done
}

# box_gone ID: whether the window ID is no longer shown.
box_gone() {
    ! xdotool search --onlyvisible --name "^Morvit Vandrel\$" 2>/dev/null | grep -qx "$1"
}

holds() {
    grep -aqF -- "$2" "$1"
}

# contact CALL NUMBER LOCATOR FILE: typed, and on the disk in FILE before the next step.
contact() {
    type_contact "$1" "$2" "$3"
    wait_until 10 holds "$4" "${1^^}---59---$2---${3^^}" ||
        fail "contact ${1^^} is not in $(basename "$4")"
}

# plant_lock KIND: puts what KIND names at vandrel.lock.
plant_lock() {
    local lock="$folder/vandrel.lock"
    rm -rf "$lock"
    case $1 in
    empty) : >"$lock" ;;
    nul) head -c 64 /dev/zero >"$lock" ;;
    directory) mkdir "$lock" ;;
    dangling-link) ln -s "$folder/gone" "$lock" ;;
    link-to-directory) ln -s "$folder" "$lock" ;;
    esac
}

# --- 1. no lock file hides the first window; a stray Return answers No --------------------------
kinds=(empty nul directory dangling-link link-to-directory)
for kind in "${kinds[@]}"; do
    rm -rf "$folder"/vandrel.lock* "$folder"/vandrel.recovery*
    plant_lock "$kind"
    launch "$folder/vandrel"
    first_app=$app
    window_opens
    first_pid=$pid
    contact w8aaa 001 jn80xy "$journal"
    before=$(cat "$journal")

    launch "$folder/vandrel"
    second_app=$app
    answer_box "Morvit Vandrel" Return "the log in use by another Vandrel ($kind lock)"
    wait_until 10 process_ended "$second_app" ||
        fail "with a lock file holding $kind, a stray Return started a second window"
    [ "$(cat "$journal")" = "$before" ] || fail "the running window's recovery file changed ($kind)"
    ! compgen -G "$folder/vandrel.recovery.*" >/dev/null ||
        fail "a recovery file was set aside while its window ran ($kind)"
    if [ "$kind" != "${kinds[-1]}" ]; then
        kill_both "$first_pid" "$first_app"
    fi
done
echo "a second start was told of the first window whatever vandrel.lock held"

# --- 2. a second window's contacts come back with the first one's --------------------------------
launch "$folder/vandrel"
second_app=$app
answer_box "Morvit Vandrel" y "the log in use by another Vandrel"
window_opens "$first_pid"
second_pid=$pid
contact w8bbb 002 jn81aa "$folder/vandrel.recovery.$second_pid"
kill_both "$first_pid" "$second_pid" "$first_app" "$second_app"

launch "$folder/vandrel"
answer_box "Morvit Vandrel" Return "Restore the log? (both windows' contacts)"
window_opens
click save
answer_box "Morvit Vandrel" Return "Log saved in"
holds "$folder/vandrel.txt" "W8AAA---59---001---JN80XY" || fail "the first window's contact is lost"
holds "$folder/vandrel.txt" "W8BBB---59---002---JN81AA" || fail "the second window's contact is lost"
[ ! -e "$folder/vandrel.recovery.$second_pid" ] ||
    fail "the second window's recovery file is still offered after its log was restored"
click exit
answer_box Vandrel y "Want to exit now?"
wait_until 10 process_ended "$pid" || fail "the program did not end after Yes"
echo "both windows' contacts came back in one question"

# --- 3. the folder becomes read-only mid-session -------------------------------------------------
# Root writes in a read-only folder all the same: the operator here is an ordinary user.
moved="$work/moved"
mkdir -p "$moved" "$work/data2"
cp "$program" "$moved/vandrel"
operator=()
if [ "$(id -u)" -eq 0 ]; then
    operator=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
    chmod 755 "$work"
    chown -R 65534:65534 "$moved" "$work/data2"
fi
export XDG_DATA_HOME="$work/data2"
printf '#!/bin/sh\nexec %s "%s"\n' "${operator[*]}" "$moved/vandrel" >"$work/as-operator"
chmod 755 "$work/as-operator"
launch "$work/as-operator"
window_opens
contact w8ccc 003 jn82cc "$moved/vandrel.recovery"
contact w8ddd 004 jn83dd "$moved/vandrel.recovery"
chmod 555 "$moved"
contact w8eee 005 jn84ee "$moved/vandrel.recovery"
contact w8fff 006 jn85ff "$moved/vandrel.recovery"
kill_both "$pid" "$app"

launch "$work/as-operator"
# The old folder is read-only: its recovery file stays there, and the operator is told in a
# second box of the same title.
box=$(find_window "^Morvit Vandrel\$" 60) || fail "no question after the folder changed"
focus_window "$box"
xdotool key Return
wait_until 10 box_gone "$box" || fail "the question did not close"
answer_box "Morvit Vandrel" Return "Impossible to set the recovery file aside"
window_opens
click save
answer_box "Morvit Vandrel" Return "Log saved in"
for call in W8CCC W8DDD W8EEE W8FFF; do
    holds "$work/data2/vandrel/vandrel.txt" "$call---59---" ||
        fail "$call, added before the folder changed, is lost"
done
click exit
answer_box Vandrel y "Want to exit now?"
wait_until 10 process_ended "$pid" || fail "the program did not end after Yes"
chmod 755 "$moved"
app="" # every program has ended
echo "1 passed, 0 failed: no lock file, second window or changed folder lost a contact"

# shellcheck shell=bash
# Shell functions for running the program on a private virtual X display and driving it with X
# key presses and clicks, sourced by the demo, the accessibility script, the end-to-end tests and
# the package test. Every wait polls a condition and is bounded; none sleeps for a fixed time.

# The main window's caption.
main_window_title='^Vandrel v1\.2 - Morvit$'

# wait_until SECONDS COMMAND...: runs COMMAND (its output hidden) every 50 ms until it succeeds;
# fails after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# fail MESSAGE...: says why on standard error, saves a picture of the screen in
# $failure_screenshot when that is set and the virtual display is up, and ends the script.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "${failure_screenshot:-}" ] && [ -n "${virtual_display_pid:-}" ] &&
        import -window root "$failure_screenshot" 2>/dev/null; then
        echo "screenshot: $failure_screenshot" >&2
    fi
    # What the program said, and what was running, for a failure that cannot be replayed.
    if [ -n "${work:-}" ] && [ -s "$work/stderr.txt" ]; then
        echo "the program's standard error:" >&2
        tail -n 20 "$work/stderr.txt" >&2
    fi
    if [ -n "${work:-}" ]; then
        ls -la "$work" >&2 || true
        ps -ef | grep -F "$work" | grep -v grep >&2 || true
    fi
    exit 1
}

# start_virtual_display: starts Xvfb on a display number no other server holds (Xvfb picks it
# and says it once it accepts clients), without a network port; exports DISPLAY and sets
# virtual_display_pid. Fails when the display is not up within 10 s.
start_virtual_display() {
    local number_file
    number_file=$(mktemp)
    # -noreset: the server would reset each time its last client leaves (the program killed or
    # ended, between two xdotool calls), and a program started during that reset cannot connect.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$number_file" >/dev/null 2>&1 &
    virtual_display_pid=$!
    # The number is complete once its line break is written.
    if wait_until 10 grep -q $'\n' "$number_file"; then
        export DISPLAY=":$(head -n 1 "$number_file")"
        rm -f "$number_file"
        return 0
    fi
    rm -f "$number_file"
    return 1
}

# start_window_manager: starts Openbox on the virtual display, so that a window gets the frame and
# title bar a desktop gives it; sets window_manager_pid. Openbox keeps its log in a scratch
# directory, not in the user's home. Fails when Openbox does not manage the display within 10 s
# (it runs its --startup command once it does).
start_window_manager() {
    window_manager_home=$(mktemp -d)
    env XDG_CACHE_HOME="$window_manager_home" XDG_CONFIG_HOME="$window_manager_home" \
        openbox --sm-disable --startup "touch $window_manager_home/managing" >/dev/null 2>&1 &
    window_manager_pid=$!
    wait_until 10 test -e "$window_manager_home/managing"
}

# stop_virtual_display: ends the window manager and the Xvfb started above, if any.
stop_virtual_display() {
    [ -n "${window_manager_pid:-}" ] && kill "$window_manager_pid" 2>/dev/null
    window_manager_pid=""
    [ -n "${window_manager_home:-}" ] && rm -rf "$window_manager_home"
    window_manager_home=""
    [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null
    virtual_display_pid=""
}

# end_virtual_session PID DIRECTORY: for an EXIT trap; ends the program PID (when not empty) and
# the virtual display, and removes the scratch DIRECTORY the program ran in.
end_virtual_session() {
    [ -n "$1" ] && kill "$1" 2>/dev/null
    stop_virtual_display
    wait 2>/dev/null || true
    rm -rf "$2"
}

# begin_session ARTIFACT_DIR FAILURE_SCREENSHOT_NAME: makes the folder artifacts for what a run
# leaves to look at and the scratch directory work the program runs in, names the picture a
# failure saves, and ends the program $app and the display when the script exits.
begin_session() {
    artifacts=$(realpath -m "${1:-.}")
    mkdir -p "$artifacts"
    work=$(mktemp -d)
    app=""
    failure_screenshot="$artifacts/$2"
    trap 'end_virtual_session "$app" "$work"' EXIT
}

# start_at_fixed_clock PROGRAM STDERR_FILE: starts PROGRAM in the background at 15:45 local time
# on 16/07/2016 (1345 UTC with "gmt+1" unticked), English dates, on the X display; sets app. The
# monotonic clock stays real so the toolkit's timers run normally.
start_at_fixed_clock() {
    env TZ=UTC LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8 QT_QPA_PLATFORM=xcb \
        FAKETIME_DONT_FAKE_MONOTONIC=1 \
        faketime -f '2016-07-16 15:45:00' "$1" 2>>"$2" &
    app=$!
}

# Positions of the controls inside the 385 x 355 main window (pixels at 96 dpi).
declare -A control_at=(
    [call]="56 73" [number]="136 73" [locator]="216 73" [band]="280 74"
    [add]="52 105" [gmt]="103 104" [multiband]="159 104" [hf]="231 104"
    [log]="192 200" [open]="124 332" [save]="192 332" [exit]="260 332"
)

# click CONTROL: a click of the first mouse button on CONTROL in the main window $window.
click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${control_at[$1]} click 1
}

# find_window PATTERN [SECONDS=20]: prints the id of a shown window whose name matches the
# regular expression PATTERN, as soon as there is one; fails after SECONDS.
find_window() {
    local ids deadline=$((SECONDS + ${2:-20}))
    until ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
    echo "${ids%%$'\n'*}"
}

# window_gone PATTERN: whether no shown window's name matches PATTERN.
window_gone() {
    ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# focus_window ID: gives the window the keyboard, waiting at most 5 s for the server to say so.
focus_window() {
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true
}

# answer_box TITLE KEY WHAT: waits for a message box titled TITLE, answers it with KEY and waits
# until it has closed; WHAT says in a failure which box was expected.
answer_box() {
    local title=$1 answer=$2 what=$3 box
    box=$(find_window "^$title\$" 20) || fail "no message box \"$title\" ($what)"
    focus_window "$box"
    xdotool key "$answer"
    wait_until 10 window_gone "^$title\$" || fail "message box \"$title\" did not close ($what)"
}

# process_ended PID: whether the process PID is gone.
process_ended() {
    ! kill -0 "$1" 2>/dev/null
}

# type_contact CALL NUMBER LOCATOR: typed into the call, number and locator boxes, then Enter.
type_contact() {
    xdotool type --delay 20 "$1"
    xdotool key Tab
    xdotool type --delay 20 "$2"
    xdotool key Tab
    xdotool type --delay 20 "$3"
    xdotool key Return
}

# same_bytes EXPECTED SAVED COPY: whether the file SAVED holds exactly the bytes of EXPECTED;
# when not, shows both and keeps SAVED as COPY for a look afterwards.
same_bytes() {
    [ -f "$2" ] || fail "no $(basename "$2") was saved"
    cmp -s "$1" "$2" && return 0
    echo "expected:" >&2
    od -c "$1" | head -n 40 >&2
    echo "saved:" >&2
    od -c "$2" | head -n 40 >&2
    cp "$2" "$3"
    return 1
}

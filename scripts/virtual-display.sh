# Shell functions for running the program on a private virtual X display, sourced by the demo,
# the accessibility script and the end-to-end test. Every wait is bounded.

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; fails after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# start_virtual_display: starts Xvfb on a display number no other server holds (Xvfb picks it
# and says it once it accepts clients), without a network port; exports DISPLAY and sets
# virtual_display_pid. Fails when the display is not up within 10 s.
start_virtual_display() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
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

# stop_virtual_display: ends the Xvfb started by start_virtual_display, if any.
stop_virtual_display() {
    [ -n "${virtual_display_pid:-}" ] && kill "$virtual_display_pid" 2>/dev/null
    virtual_display_pid=""
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

# end_virtual_session PID DIRECTORY: for an EXIT trap; ends the program PID (when not empty) and
# the virtual display, and removes the scratch DIRECTORY the program ran in.
end_virtual_session() {
    [ -n "$1" ] && kill "$1" 2>/dev/null
    stop_virtual_display
    wait 2>/dev/null || true
    rm -rf "$2"
}

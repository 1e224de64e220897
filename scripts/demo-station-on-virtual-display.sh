#!/usr/bin/env bash
# Two positions of one station on a private virtual X display: starts a nats-server with
# JetStream on a free port of 127.0.0.1, two windows of PROGRAM (each in a scratch folder of its
# own) as the positions "run" and "search" of Q9XYZ, logs a contact at "run", types the same
# call at "search", where it turns red, saves a screenshot of both and prints their titles.
#   demo-station-on-virtual-display.sh PROGRAM SCREENSHOT.png
set -euo pipefail
# shellcheck source=virtual-display.sh
source "$(dirname "$0")/virtual-display.sh"
program=$(realpath "$1")
shot=$2
mkdir -p "$(dirname "$shot")"
nats_server=$(command -v nats-server || echo /usr/sbin/nats-server)

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    end_virtual_session "" "$work"
}
trap cleanup EXIT
start_virtual_display || fail "the virtual display did not start"

# -p -1: the server takes a free port, and says which.
"$nats_server" -js -sd "$work/store" -a 127.0.0.1 -p -1 >"$work/server.log" 2>&1 &
pids+=($!)
wait_until 20 grep -q "Server is ready" "$work/server.log" || fail "nats-server did not start"
port=$(sed -n 's/.*Listening for client connections on 127\.0\.0\.1:\([0-9]*\).*/\1/p' \
    "$work/server.log")
[ -n "$port" ] || fail "nats-server did not say its port"

start_position() {
    mkdir -p "$work/$1"
    # The station's engine is a module the program loads from beside itself.
    cp "$program" "$(dirname "$program")/vandrel-station-nats.so" "$work/$1/"
    "$work/$1/$(basename "$program")" --station "nats://127.0.0.1:$port" --position "$1" \
        --call Q9XYZ 2>>"$work/stderr.txt" &
    pids+=($!)
}
title_of() { xdotool getwindowname "$1" 2>/dev/null; }
title_says() { title_of "$1" | grep -q "$2"; }

start_position run
window=$(find_window "Morvit .* Q9XYZ" 20) || fail "the first position's window did not open"
run_window=$window
start_position search
# The second window: the shown one that is not the first.
second_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name "Morvit" 2>/dev/null) || return 1
    grep -vx "$run_window" <<<"$ids" | head -n 1 | grep .
}
wait_until 20 second_window || fail "the second position's window did not open"
search_window=$(second_window)
xdotool windowmove "$run_window" 0 0
xdotool windowmove "$search_window" 400 0
wait_until 20 title_says "$run_window" "Q9XYZ, 1 position" || fail "run is not on the station"

focus_window "$run_window"
window=$run_window
type_contact q1abc 012 jn80xy
wait_until 20 title_says "$search_window" "Q9XYZ, 2 positions" ||
    fail "search did not see the contact of run"
window=$search_window
focus_window "$search_window"
xdotool type --delay 20 q1abc
# The call box's text drawn red: its letters hold pixels of a strong red (smoothed at the edges).
call_box_red() {
    import -window root -crop 120x25+410+60 +repage -depth 8 "$work/call-box.txt" &&
        grep -qE "#FF[0-3].[0-3]." "$work/call-box.txt"
}
wait_until 10 call_box_red || fail "the call did not turn red at the other position"
import -window root -crop 800x360+0+0 +repage "$shot"
echo "run:    $(title_of "$run_window")"
echo "search: $(title_of "$search_window")"
echo "Screenshot: $(realpath "$shot")"

#!/usr/bin/env bash
# A position killed with SIGKILL between the local write and the publish: the real program on a
# private virtual X display, one position of a station whose server is away.
#   position_killed_session.sh PROGRAM NATS_SERVER [ARTIFACT_DIR]
# 1. The server started, then killed: the window logs two contacts to its recovery file, the
#    title says they wait; kill -9.
# 2. The server back on its port with its folder; the program again, "Restore the log?" Yes:
#    the two contacts reach the stream, once each. kill -9 again.
# 3. The program again, Yes: it hands its log once more; the stream still holds two messages.
# Every wait polls a condition with a bound; none sleeps for a fixed time.
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"

program=$(realpath "$1")
nats_server=$2
begin_session "${3:-}" station-position-killed-failure.png
journal="$work/vandrel.recovery"
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; end_virtual_session "$app" "$work"' EXIT

start_virtual_display || fail "the virtual display did not start"
cp "$program" "$work/vandrel"
# The station's engine is a module the program loads from beside itself.
cp "$(dirname "$program")/vandrel-station-nats.so" "$work/"

# The server on `port` (a free one the first time, which it says), its monitor on `monitor`.
start_server() {
    : >"$work/server.log"
    "$nats_server" -js -sd "$work/store" -a 127.0.0.1 -p "${port:--1}" -m "${monitor:--1}" \
        >"$work/server.log" 2>&1 &
    server=$!
    wait_until 20 grep -q "Server is ready" "$work/server.log" || fail "nats-server did not start"
    port=$(sed -n 's/.*client connections on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log")
    monitor=$(sed -n 's/.*http monitor on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/server.log")
}
# The number of messages the server's streams hold, from its monitor.
stored_messages() {
    local reply
    exec 3<>"/dev/tcp/127.0.0.1/$monitor"
    printf 'GET /jsz HTTP/1.0\r\n\r\n' >&3
    reply=$(cat <&3)
    exec 3<&-
    sed -n 's/^  "messages": \([0-9]*\),*$/\1/p' <<<"$reply"
}
stream_holds() { [ "$(stored_messages)" = "$1" ]; }
title_says() { xdotool getwindowname "$window" 2>/dev/null | grep -q "$1"; }

launch() {
    "$work/vandrel" --station "nats://127.0.0.1:$port" --position run --call Q9XYZ \
        2>>"$work/stderr.txt" &
    app=$!
}
window_opens() {
    window=$(find_window "^Vandrel v1\.2 - Morvit — " 20) || fail "the window did not open"
    focus_window "$window"
}
kill_program() {
    kill -9 "$app"
    wait_until 10 process_ended "$app" || fail "the program outlived SIGKILL"
    app=""
}
journal_holds() { grep -aqF -- "$1" "$journal"; }

# --- 1. the server away, two contacts, kill -9 ----------------------------------------------------
start_server
kill -9 "$server"
wait_until 10 process_ended "$server" || fail "nats-server outlived SIGKILL"
server=""
launch
window_opens
type_contact q1abc 012 jn80xy
type_contact q2xyz 013 jn81aa
wait_until 10 journal_holds "Q2XYZ---59---013---JN81AA" || fail "the contacts are not on disk"
wait_until 20 title_says "station offline, 2 contacts waiting" ||
    fail "the title does not say the contacts wait: $(xdotool getwindowname "$window")"
kill_program

# --- 2. the server back, the log restored and published -------------------------------------------
start_server
launch
answer_box "Morvit Vandrel" Return "Restore the log?"
window_opens
wait_until 20 stream_holds 2 || fail "the stream holds $(stored_messages) messages, not 2"
wait_until 20 title_says "Q9XYZ, 1 position" || fail "the title does not say the station is on"
kill_program

# --- 3. the same log handed again: nothing stored twice -------------------------------------------
launch
answer_box "Morvit Vandrel" Return "Restore the log?"
window_opens
wait_until 20 title_says "Q9XYZ, 1 position" || fail "the title does not say the station is on"
# A third contact goes after the two handed again: once it is stored, so are they, or not twice.
type_contact q3def 014 jn80xy
wait_until 20 stream_holds 3 || fail "the stream holds $(stored_messages) messages, not 3"
kill_program
echo "two contacts logged while the server was away reached the stream once each across two kills"

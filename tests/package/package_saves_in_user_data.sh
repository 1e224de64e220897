#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks what it carries, unpacks it into a scratch
# root and runs the unpacked program as a user with a fresh home on a private virtual X display:
# one contact, "Save", and the log must be in that home's data directory.
#   package_saves_in_user_data.sh BUILD_DIR VERSION [ARTIFACT_DIR]
set -euo pipefail
build=$(realpath "$1")
version=$2
artifacts=$(realpath -m "${3:-.}")
mkdir -p "$artifacts"
work=$(mktemp -d)
xvfb=""
app=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "$xvfb" ] && import -window root "$artifacts/package-failure.png" 2>/dev/null &&
        echo "screenshot: $artifacts/package-failure.png" >&2
    exit 1
}
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to about ten seconds for a command to succeed.
wait_for() {
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# --- the package ---------------------------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.txt" ||
    { cat "$work/cpack.txt" >&2; fail "cpack did not build the package"; }
deb="$work/out/vandrel_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work/out")"
lintian --fail-on error "$deb" || fail "lintian reports errors"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "Depends does not name the Qt libraries the program links"

root="$work/root"
dpkg-deb -x "$deb" "$root"
metainfo="$root/usr/share/metainfo/io.github.vandrel.Vandrel.metainfo.xml"
for file in usr/bin/vandrel usr/share/applications/vandrel.desktop \
    usr/share/icons/hicolor/48x48/apps/vandrel.png usr/share/man/man1/vandrel.1.gz \
    usr/share/doc/vandrel/copyright usr/share/doc/vandrel/changelog.gz; do
    [ -f "$root/$file" ] || fail "the package has no /$file"
done
desktop-file-validate "$root/usr/share/applications/vandrel.desktop" || fail "desktop entry"
grep -q 'Categories=.*HamRadio' "$root/usr/share/applications/vandrel.desktop" ||
    fail "the desktop entry is not in HamRadio"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names no $version"
zcat "$root/usr/share/man/man1/vandrel.1.gz" | grep -q "^\.TH VANDREL 1 .*\"Vandrel $version\"" ||
    fail "the manual page is not for version $version"

# --- the unpacked program, as a user with a fresh home ------------------------------------------
display=130
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
wait_for xdotool getmouselocation || fail "the virtual display did not start"

home="$work/home"
mkdir -p "$home"
env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=xcb "$root/usr/bin/vandrel" \
    2>"$work/stderr.txt" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vandrel v1\.2 - Morvit$' |
    head -n 1) || fail "the window did not open"
xdotool windowfocus --sync "$window"
has_focus() { [ "$(xdotool getwindowfocus)" = "$window" ]; }
wait_for has_focus || fail "the window has no keyboard focus"

# Call, number, locator, Enter; then "Save", whose button sits at (192, 332) in the window.
xdotool type --delay 25 q1abc
xdotool key Tab
xdotool type --delay 25 012
xdotool key Tab
xdotool type --delay 25 jn80xy
xdotool key Return
xdotool mousemove --window "$window" 192 332 click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Morvit Vandrel$' | head -n 1) ||
    fail "no message box after Save"
log="$home/.local/share/vandrel/vandrel.txt"
wait_for test -s "$log" || fail "no $log after Save"
import -window root "$artifacts/package-after-save.png"
grep -q -- '---Q1ABC---59---012---JN80XY' "$log" || fail "the saved log lacks the contact"
[ ! -e "$root/usr/bin/vandrel.txt" ] || fail "the log was written beside the installed program"
xdotool windowfocus --sync "$box" key Return
echo "1 passed, 0 failed: the packaged program saved its log in $log"

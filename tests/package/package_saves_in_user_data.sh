#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks what it carries, unpacks it into a scratch
# root and runs the unpacked program as a user with a fresh home on a private virtual X display:
# one contact, "Save", and the log must be in that home's data directory.
#   package_saves_in_user_data.sh BUILD_DIR VERSION [ARTIFACT_DIR]
set -euo pipefail
# shellcheck source=../../scripts/virtual-display.sh
source "$(dirname "$0")/../../scripts/virtual-display.sh"
build=$(realpath "$1")
version=$2
begin_session "${3:-}" package-failure.png

# --- the package ---------------------------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.txt" ||
    { cat "$work/cpack.txt" >&2; fail "cpack did not build the package"; }
deb="$work/out/vandrel_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$work/out")"
lintian --fail-on error "$deb" || fail "lintian reports errors"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "Depends does not name the Qt libraries the program links"
dpkg-deb -f "$deb" Depends | grep -Eq '(^|, )fonts-liberation( |,|$)' ||
    fail "Depends does not name fonts-liberation, the narrow face the window is laid out for"
dpkg-deb -c "$deb" | grep '/vandrel/vandrel-station-nats.so$' >/dev/null ||
    fail "the package lacks the station's engine module"
dpkg-deb -f "$deb" Depends | grep -q 'libnats' ||
    fail "Depends does not name the NATS client the station's engine links"

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
start_virtual_display || fail "the virtual display did not start"

home="$work/home"
mkdir -p "$home"
env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=xcb "$root/usr/bin/vandrel" \
    2>"$work/stderr.txt" &
app=$!
window=$(find_window "$main_window_title" 20) || fail "the window did not open"
focus_window "$window"
has_focus() { [ "$(xdotool getwindowfocus)" = "$window" ]; }
wait_until 10 has_focus || fail "the window has no keyboard focus"

# One contact, then "Save".
type_contact q1abc 012 jn80xy
click save
box=$(find_window '^Morvit Vandrel$' 10) || fail "no message box after Save"
log="$home/.local/share/vandrel/vandrel.txt"
wait_until 10 test -s "$log" || fail "no $log after Save"
import -window root "$artifacts/package-after-save.png"
grep -q -- '---Q1ABC---59---012---JN80XY' "$log" || fail "the saved log lacks the contact"
[ ! -e "$root/usr/bin/vandrel.txt" ] || fail "the log was written beside the installed program"
xdotool windowfocus --sync "$box" key Return
echo "1 passed, 0 failed: the packaged program saved its log in $log"

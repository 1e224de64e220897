#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs to offer the program:
# the program, its icons and a desktop entry that validates and launches the installed program.
#   install_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$1" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/vandrel.desktop"
check "program installed" '[ -x "$prefix/bin/vandrel" ]'
check "export tool installed" '[ -x "$prefix/bin/vandrel-export" ]'
# The station's engine is a module the window loads only with a station: the window itself
# never loads the NATS client.
check "station engine module installed" \
    '[ -n "$(find "$prefix" -path "*/vandrel/vandrel-station-nats.so")" ]'
check "the window does not load the NATS client" '! ldd "$prefix/bin/vandrel" | grep -q libnats'
check "export tool manual page" 'grep -qF -- "per\\-band" "$prefix/share/man/man1/vandrel-export.1"'

# The manual pages' words, their lines joined as the reader sees them.
page_text() { tr -s ' \n' '  ' <"$prefix/share/man/man1/$1.1"; }
check "manual page: the data directory is made at start" \
    'page_text vandrel | grep -qF "the program makes that directory at start"'
check "manual page: what gmt+1 does" \
    'page_text vandrel | grep -qF "unticked, the local clock is taken to run two hours ahead of UTC; ticked, one hour"'
check "export manual page: the default date format in words" \
    'page_text vandrel-export | grep -qF "default: the short date format of the current locale)"'
check "export manual page: the default log is the window's" \
    'page_text vandrel-export | grep -qF "default: the log the window saves"'

# Installed in a bin directory, the export tool reads by default the log the window saves in the
# user's data directory, wherever it is started.
home="$prefix/home"
mkdir -p "$home/.local/share/vandrel" "$home/elsewhere"
cp "$(dirname "$0")/../export/data/vhf-contest.txt" "$home/.local/share/vandrel/vandrel.txt"
check "export tool reads the window's log by default" \
    '(cd "$home/elsewhere" && env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/vandrel-export" \
        -f adif --band 144 --date-format dd/MM/yyyy --skip-bad 2>/dev/null) | grep -q "<EOR>"'
for size in 16 24 32 48; do
    check "${size}px icon" '[ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/vandrel.png" ]'
done
check "scalable icon" '[ -f "$prefix/share/icons/hicolor/scalable/apps/vandrel.svg" ]'
check "desktop entry validates" 'desktop-file-validate "$entry"'
check "desktop entry launches the installed program" \
    'grep -qx "Exec=$prefix/bin/vandrel" "$entry"'
report_checks

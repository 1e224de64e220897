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
check "export tool manual page" 'grep -qF -- "per\\-band" "$prefix/share/man/man1/vandrel-export.1"'
for size in 16 24 32 48; do
    check "${size}px icon" '[ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/vandrel.png" ]'
done
check "scalable icon" '[ -f "$prefix/share/icons/hicolor/scalable/apps/vandrel.svg" ]'
check "desktop entry validates" 'desktop-file-validate "$entry"'
check "desktop entry launches the installed program" \
    'grep -qx "Exec=$prefix/bin/vandrel" "$entry"'
report_checks

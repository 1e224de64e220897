#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs to offer the program:
# the program, its icons and a desktop entry that validates and launches the installed program.
#   install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$1" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/vandrel.desktop"
passes=0
failures=0
check() {
    if eval "$2"; then
        echo "PASS: $1"
        passes=$((passes + 1))
    else
        echo "FAIL: $1"
        failures=$((failures + 1))
    fi
}
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
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]

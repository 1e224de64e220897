#!/usr/bin/env bash
# Builds Vandrel, installs it into ~/.local/opt/vandrel (or $VANDREL_PREFIX) and starts it from
# there. The log, vandrel.txt, lives next to the installed program, in bin/, so deleting or
# rebuilding build/ never touches it. Without a display, starts the program on a virtual X display
# instead, logs one contact as an operator would and saves a screenshot of the window.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${VANDREL_PREFIX:-$HOME/.local/opt/vandrel}

scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default --target vandrel
cmake --install build --prefix "$prefix" >/dev/null
echo "Vandrel is installed in $prefix; its log is $prefix/bin/vandrel.txt"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$prefix/bin/vandrel"
fi

exec scripts/demo-on-virtual-display.sh "$prefix/bin/vandrel" screenshots/vandrel.png

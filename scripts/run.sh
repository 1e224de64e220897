#!/usr/bin/env bash
# Builds Vandrel, installs it into ~/.local/opt/vandrel (or $VANDREL_PREFIX) and starts it from
# there. Installed in a bin/ directory, the program keeps its log, vandrel.txt, in the user's data
# directory (~/.local/share/vandrel), so deleting or rebuilding build/ never touches it. Without a display, starts the program on a virtual X display
# instead, logs one contact as an operator would and saves a screenshot of the window.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${VANDREL_PREFIX:-$HOME/.local/opt/vandrel}

scripts/install-deps.sh run
# The programs and their manual pages, what the install step below installs, and nothing else:
# the tests and benchmarks are for scripts/test.sh, which turns them on again in this build tree.
cmake --preset default -DBUILD_TESTING=OFF -DVANDREL_BENCHMARKS=OFF >/dev/null
cmake --build --preset default
cmake --install build --prefix "$prefix" >/dev/null
echo "Vandrel is installed in $prefix; its log is ${XDG_DATA_HOME:-$HOME/.local/share}/vandrel/vandrel.txt"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$prefix/bin/vandrel"
fi

exec scripts/demo-on-virtual-display.sh "$prefix/bin/vandrel" screenshots/vandrel.png

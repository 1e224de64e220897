#!/usr/bin/env bash
# Builds Vandrel and starts it. Without a display, starts it on a virtual X display instead,
# logs one contact as an operator would and saves a screenshot of the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default --target vandrel

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/vandrel
fi

exec scripts/demo-on-virtual-display.sh build/src/vandrel screenshots/vandrel.png

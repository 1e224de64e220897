#!/usr/bin/env bash
# Installs the Debian packages a task needs, when they are missing.
#   install-deps.sh build   compiler, CMake, Ninja, Qt 6 Widgets
#   install-deps.sh run     build, plus the narrow font the window is laid out for and a virtual
#                           X display for machines without a screen
#   install-deps.sh test    run, plus what the tests use
#   install-deps.sh accessibility   run, plus the accessibility bus and its Python client
#   install-deps.sh fuzz    build, plus clang with libFuzzer for scripts/fuzz.sh
set -euo pipefail

build=(g++ cmake ninja-build qt6-base-dev libgl-dev)
run=("${build[@]}" fonts-liberation xvfb xdotool imagemagick)
test=("${run[@]}" faketime desktop-file-utils)
accessibility=("${run[@]}" at-spi2-core python3-pyatspi dbus)
fuzz=("${build[@]}" clang libclang-rt-14-dev)

case "${1:-build}" in
build) wanted=("${build[@]}") ;;
run) wanted=("${run[@]}") ;;
test) wanted=("${test[@]}") ;;
accessibility) wanted=("${accessibility[@]}") ;;
fuzz) wanted=("${fuzz[@]}") ;;
*)
    echo "usage: $0 build|run|test|accessibility|fuzz" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

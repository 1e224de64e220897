#!/usr/bin/env bash
# Installs the Debian packages a task needs, when they are missing.
#   install-deps.sh build   compiler, CMake, Ninja, Qt 6 Widgets, Hamlib (distances of the
#                           export tool), help2man (its manual page) and the NATS C client
#                           (the station of several positions)
#   install-deps.sh run     build, plus the narrow font the window is laid out for and a virtual
#                           X display with a window manager for machines without a screen
#   install-deps.sh test    run, plus what the tests use (the package test among them; xclip
#                           owns the clipboard for the paste test; the independent readers of
#                           the exported files: TrustedQSL's library, tlf, Python, Node.js, npm;
#                           the NATS server the station's tests start, and openssl for their
#                           TLS certificate)
#   install-deps.sh package build, plus what builds and checks the Debian package
#   install-deps.sh accessibility   run, plus the accessibility bus and its Python client
#   install-deps.sh fuzz    build, plus clang with libFuzzer for scripts/fuzz.sh
set -euo pipefail

build=(g++ cmake ninja-build qt6-base-dev libgl-dev pkg-config libhamlib-dev help2man libnats-dev)
run=("${build[@]}" fonts-liberation xvfb openbox xdotool imagemagick)
packaging=(dpkg-dev fakeroot file lintian appstream desktop-file-utils help2man)
package=("${build[@]}" "${packaging[@]}")
test=("${run[@]}" "${packaging[@]}" faketime xclip trustedqsl tlf python3 nodejs nats-server openssl)
accessibility=("${run[@]}" at-spi2-core python3-pyatspi dbus)
fuzz=("${build[@]}" clang libclang-rt-14-dev)

case "${1:-build}" in
build) wanted=("${build[@]}") ;;
run) wanted=("${run[@]}") ;;
test) wanted=("${test[@]}") ;;
package) wanted=("${package[@]}") ;;
accessibility) wanted=("${accessibility[@]}") ;;
fuzz) wanted=("${fuzz[@]}") ;;
*)
    echo "usage: $0 build|run|test|package|accessibility|fuzz" >&2
    exit 2
    ;;
esac

# npm comes with some builds of nodejs and as a package of its own with Debian's.
[ "${1:-build}" = test ] && ! command -v npm >/dev/null && wanted+=(npm)

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# sudo starts its command with a clean environment: the setting goes inside it, through env.
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"

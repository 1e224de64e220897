#!/usr/bin/env bash
# Builds the Debian package vandrel_VERSION_amd64.deb into the current directory from a release
# build with Debian's hardening flags, then checks it with lintian and the metainfo and desktop
# entry with their validators. Install it with: apt install ./vandrel_*.deb
set -euo pipefail
out=$(pwd)
cd "$(dirname "$0")/.."

scripts/install-deps.sh package

# Dates in the package (changelog, manual page, metainfo release) are the last commit's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH
# Debian's build flags, with every hardening option (bindnow too).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"

cmake --preset package >/dev/null
cmake --build --preset package
rm -rf build-package/packages
cpack --config build-package/CPackConfig.cmake -B build-package/packages
deb=$(ls build-package/packages/vandrel_*_amd64.deb)
cp "$deb" "$out/"

echo "== lintian"
lintian --fail-on error "$deb"
echo "== appstreamcli validate --no-net"
dpkg-deb --fsys-tarfile "$deb" |
    tar -xO ./usr/share/metainfo/io.github.vandrel.Vandrel.metainfo.xml >build-package/metainfo.xml
appstreamcli validate --no-net build-package/metainfo.xml
echo "== desktop-file-validate"
desktop-file-validate build-package/vandrel.desktop && echo "vandrel.desktop: valid"
echo "Package: $out/$(basename "$deb")"

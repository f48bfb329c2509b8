#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds a release for /usr in build-deb/
# and makes build-deb/verdal_<version>_<arch>.deb with cpack; then shows its control data and
# runs lintian when it is installed.
#   bash scripts/package.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/quickstart.sh deps
# Debian's hardening flags (stack protector, fortify, full RELRO), read when build-deb/ is new.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVERDAL_TESTS=OFF >/dev/null
cmake --build build-deb
(cd build-deb && cpack -G DEB)

deb=$(ls -t build-deb/verdal_*.deb | head -n 1)
dpkg-deb --info "$deb"
if [ "$(id -u)" -eq 0 ]; then
    dpkg --dry-run -i "$deb"
fi
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb"
fi
echo "Paket: $deb"
echo "Installieren: sudo apt-get install ./$deb"

#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds Verdal, then runs the demo or the tests.
#   scripts/quickstart.sh demo   - build and run the demo
#   scripts/quickstart.sh test   - build and run every test suite
#   scripts/quickstart.sh deps   - only install what is missing
set -euo pipefail

mode=${1:-demo}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libicu-dev libglib2.0-dev libacl1-dev libsimpleini-dev libxcb1-dev
    libjpeg62-turbo-dev librapidcheck-dev
    xvfb python3 python3-aiosmtpd rsync time poppler-utils dosfstools
    dpkg-dev file desktop-file-utils appstream shared-mime-info man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
[ "$mode" = deps ] && exit 0

cmake --preset default >/dev/null
cmake --build --preset default

case "$mode" in
demo)
    exec bash scripts/demo.sh build
    ;;
test)
    ctest --preset default --output-on-failure
    ;;
*)
    echo "usage: $0 demo|test|deps" >&2
    exit 2
    ;;
esac

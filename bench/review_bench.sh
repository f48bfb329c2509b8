#!/usr/bin/env bash
# Builds and runs the review list benchmark against an existing build (default: build/).
# Usage: bench/review_bench.sh [--build DIR] [CANDIDATES]   (default 100000 in 2000 groups)
#        bench/review_bench.sh [--build DIR] --shot OUTDIR  (PNG files of the run windows)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
out="$build/review_bench"
cmake --build "$build" --target verdal_gui >/dev/null
g++ -std=c++20 -O2 -fPIC -I"$here/src" "$here/bench/review_bench.cpp" \
    "$build/src/libverdal_gui.a" "$build/src/libverdal_core.a" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6PrintSupport gio-2.0 xcb icu-uc icu-i18n) -lacl \
    -o "$out"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$out" "$@"

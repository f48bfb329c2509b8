#!/usr/bin/env bash
# Builds and runs the log viewer benchmark of an existing build (default: build/).
# Usage: bench/viewer_bench.sh [--build DIR] [MEGABYTES]   (default 50)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
cmake --build "$build" --target verdal_viewer_bench >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/tests/gui/verdal_viewer_bench" "$@"

#!/usr/bin/env bash
# Builds and runs the review list benchmark of an existing build (default: build/).
# Usage: bench/review_bench.sh [--build DIR] [CANDIDATES]   (default 100000 in 2000 groups)
#        bench/review_bench.sh [--build DIR] --shot OUTDIR  (PNG files of the run windows)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
cmake --build "$build" --target verdal_review_bench >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/tests/gui/verdal_review_bench" "$@"

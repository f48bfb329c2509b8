#!/usr/bin/env bash
# Builds and runs the source dialog's file list benchmark of an existing build (default: build/).
# Usage: bench/source_files_bench.sh [--build DIR] [FILES]   (default 100000)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
cmake --build "$build" --target verdal_source_files_bench >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/tests/gui/verdal_source_files_bench" "$@"

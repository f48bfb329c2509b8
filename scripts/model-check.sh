#!/usr/bin/env bash
# Runs the model-based two-way test with many random histories (by hand; CI runs a few dozen):
#   scripts/model-check.sh [CASES] [MAX_SIZE]     e.g. scripts/model-check.sh 5000 80
# A failure prints the shrunk history and an RC_PARAMS="reproduce=..." line that replays it.
set -euo pipefail
cases=${1:-2000}
size=${2:-60}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
[ -d build ] || cmake --preset default >/dev/null
cmake --build build --target verdal_model_tests
RC_PARAMS="max_success=$cases max_size=$size ${RC_EXTRA:-}" \
    exec build/tests/model/verdal_model_tests --gtest_brief=1

#!/usr/bin/env bash
# The demo: shows what the bundled example profile does.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/$build/src/cli/verdal-run" --version

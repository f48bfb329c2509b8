#!/usr/bin/env bash
# The demo: shows what the bundled example profile does.
# Usage: scripts/demo.sh [build directory below the source tree, default "build"]
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
run="$here/$build/src/cli/verdal-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A throw-away options file keeps the user's own settings out of the demo.
echo "== Einstellungen von resources/examples/Beispiel.vrd =="
"$run" --ini "$work/Verdal50.ini" --summary "$here/resources/examples/Beispiel.vrd"

#!/usr/bin/env bash
# Renders the program icon's PNG sizes for the hicolor theme from resources/icons/verdal.svg.
# Run after changing the SVG and commit the PNGs; the build itself needs no SVG renderer.
# Needs rsvg-convert (package librsvg2-bin).
set -euo pipefail
icons=$(cd "$(dirname "${BASH_SOURCE[0]}")/../resources/icons" && pwd)
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$icons/hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$icons/verdal.svg" -o "$icons/hicolor/${size}x${size}/apps/verdal.png"
done

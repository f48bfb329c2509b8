#!/usr/bin/env bash
# Renders the program's windows under Xvfb (no window manager) into docs/screenshots/*.png.
#   scripts/screenshots.sh [build-dir]
# To add a window, add one line "file-name=ROUTINE" to WINDOWS below (ROUTINE = the name the
# dialog is registered under in src/app/DialogTable.cpp; empty for the main window).
set -euo pipefail

WINDOWS=(
    "main-window="
    "about=ABOUT"
    "program-options=PROGRAM"
)

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-"$here/build"}
out="$here/docs/screenshots"
mkdir -p "$out"

cmake --build "$build" --target verdal_screenshots >/dev/null

# A home of its own: the pictures show the defaults, and nothing touches the real settings.
home=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$home"' EXIT
demo="$home/verdal-demo"
mkdir -p "$demo/Quelle/Daten" "$demo/Ziel"
echo "Hallo" >"$demo/Quelle/Daten/Brief.txt"
sed "s|/tmp/verdal-demo|$demo|g" "$here/resources/examples/Beispiel.vrd" >"$demo/Beispiel.vrd"

# The first free display number from 90 on.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home" DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
    "$build/tests/gui/verdal_screenshots" "$out" "$demo/Beispiel.vrd" "${WINDOWS[@]}"

# The run windows: the review list of a generated run (one- and two-line rows, also at 200 %),
# the progress window and the interruption dialog.
cmake --build "$build" --target verdal_review_bench >/dev/null
for scale in 1 2; do
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home" DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
        QT_SCALE_FACTOR=$scale "$build/tests/gui/verdal_review_bench" --shot "$out"
done

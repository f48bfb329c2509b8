#!/usr/bin/env bash
# Renders the program's windows under Xvfb (no window manager) into docs/screenshots/*.png.
#   scripts/screenshots.sh [build-dir]
# To add a window, add one line "file-name=ROUTINE" to WINDOWS below (ROUTINE = the name the
# dialog is registered under in src/app/DialogTable.cpp, with "@page" for a page of the options;
# empty for the main window; "DRIVE LIST" for the opened drive list).
set -euo pipefail

WINDOWS=(
    "main-window="
    "about=ABOUT"
    "program-options=PROGRAM"
    "options-range=OPTIONS@0"
    "options-orphans=OPTIONS@3"
    "scheduler=SCHEDULER"
    "express-setup=EXPRESS SETUP"
    "overview=OVERVIEW"
    "log-settings=LOG"
    "source=SOURCE"
    "destination=DESTINATION"
    "drive-list=DRIVE LIST"
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
mkdir -p "$demo/Quelle/Daten/Fotos" "$demo/Quelle/Daten/Temp" "$demo/Quelle/Musik" "$demo/Ziel/Sicherung"
touch "$demo/Quelle/Daten/Rechnung.pdf" "$demo/Quelle/Daten/Tabelle.ods" "$demo/Quelle/Daten/notizen"
# The demo profile with three schedule entries (the value list just before the first extra
# block): 08:00 Monday to Friday, 12:30 at weekends, 18:15 Monday to Friday switched off.
sed "s|/tmp/verdal-demo|$demo|g" "$here/resources/examples/Beispiel.vrd" |
    awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
         $0 == "Verdal 4.03 Extra Data" && prev == "0" { print "3"; print "2080375264";
             print "50332398"; print "-67107769"; print; prev = ""; held = 0; next }
         { if (held) print prev; prev = $0; held = 1 }
         END { if (held) print prev }' >"$demo/Beispiel.vrd"

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

shoot() {
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home" DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
        "$build/tests/gui/verdal_screenshots" "$out" "$@"
}
shoot "$demo/Beispiel.vrd" "${WINDOWS[@]}"

# The batch dialog on a batch file of three profiles, one per continuation condition.
cp "$demo/Beispiel.vrd" "$demo/Fotos.vrd"
cp "$demo/Beispiel.vrd" "$demo/Briefe.vrd"
printf 'Verdal 5.00 Batch File\r\n3\r\n%s\r\n%s\r\n%s\r\n85\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n0\r\n' \
    "$demo/Beispiel.vrd" "$demo/Fotos.vrd" "$demo/Briefe.vrd" >"$demo/Jobs.vbf"
printf 'Verdal 4.03 Extra Data\r\n0\r\nVerdal 5.02 Extra Data\r\n0\r\nVerdal 5.03 Extra Data\r\n0\r\n1\r\n2\r\n' \
    >>"$demo/Jobs.vbf"
shoot "$demo/Jobs.vbf" "batch=BATCH"

# The run windows: the review list of a generated run (one- and two-line rows, also at 200 %),
# the progress window and the interruption dialog.
cmake --build "$build" --target verdal_review_bench >/dev/null
for scale in 1 2; do
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home" DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
        QT_SCALE_FACTOR=$scale "$build/tests/gui/verdal_review_bench" --shot "$out"
done

# The built-in log viewer on a short log.
cmake --build "$build" --target verdal_viewer_bench >/dev/null
env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home" DISPLAY=":$display" QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
    "$build/tests/gui/verdal_viewer_bench" --shot "$out"

# The printed review list: the first page of the generated run's printout, as pdftoppm
# renders it (the review bench above printed it).
if command -v pdftoppm >/dev/null && [ -f "$out/printed-review-list.pdf" ]; then
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$out/printed-review-list.pdf" \
        "$out/printed-review-list"
fi
rm -f "$out/printed-review-list.pdf"

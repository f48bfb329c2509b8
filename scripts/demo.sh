#!/usr/bin/env bash
# The demo: builds a small sample tree, backs it up with the bundled example profile, changes,
# adds and deletes a few files, runs the profile again and shows the log of both runs.
# Usage: scripts/demo.sh [build directory below the source tree, default "build"]
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
run="$here/$build/src/cli/verdal-run"
profile="$here/resources/examples/Beispiel.vrd"
demo=/tmp/verdal-demo  # source and destination named in the example profile
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ini="$work/Verdal50.ini"  # a throw-away options file keeps the user's settings out

echo "== Einstellungen von resources/examples/Beispiel.vrd =="
"$run" --ini "$ini" --summary "$profile"

# The sample tree: \Daten\* is backed up, \Daten\Temp\ and *.tmp are left out.
rm -rf "$demo"
mkdir -p "$demo/Quelle/Daten/Briefe" "$demo/Quelle/Daten/Fotos/2026" "$demo/Quelle/Daten/Temp" \
    "$demo/Ziel"
for i in 1 2 3; do
    printf 'Sehr geehrte Frau Müller,\nBrief Nummer %s.\n' "$i" >"$demo/Quelle/Daten/Briefe/Brief $i.txt"
done
head -c 300000 /dev/urandom >"$demo/Quelle/Daten/Fotos/2026/Urlaub.jpg"
echo "Einkaufsliste: Äpfel, Birnen" >"$demo/Quelle/Daten/Liste.txt"
echo "Zwischenstand" >"$demo/Quelle/Daten/Temp/Entwurf.txt"
echo "temporär" >"$demo/Quelle/Daten/Sicherung.tmp"
find "$demo/Quelle" -type f -exec touch -d '-2 days' {} +

echo
echo "== Erster Lauf: vollständige Sicherung =="
status=0
"$run" --ini "$ini" "$profile" || status=$?
echo "Ergebnis: $status"

# An incremental run: one file changed, one added, one deleted.
echo "Brief Nummer 2, überarbeitet." >>"$demo/Quelle/Daten/Briefe/Brief 2.txt"
echo "Neue Notiz" >"$demo/Quelle/Daten/Notiz.txt"
rm "$demo/Quelle/Daten/Briefe/Brief 3.txt"

echo
echo "== Vorschau des zweiten Laufs (--dry-run) =="
"$run" --ini "$ini" --dry-run "$profile"

echo
echo "== Zweiter Lauf: nur die Änderungen =="
status=0
"$run" --ini "$ini" "$profile" || status=$?
echo "Ergebnis: $status"

echo
echo "== Das Log =="
log="$demo/Log.txt"
# The log is Windows-1252 when every character fits, else UTF-8.
if iconv -f UTF-8 -t UTF-8 "$log" >/dev/null 2>&1; then
    tr -d '\r' <"$log"
else
    iconv -f WINDOWS-1252 -t UTF-8 "$log" | tr -d '\r'
fi

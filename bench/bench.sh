#!/usr/bin/env bash
# Times verdal-run against cp -a, rsync -a and find on two generated trees (median of several
# warm-cache runs) and reports the ratios and peak memory. Not part of the tests.
#
# Usage: bench/bench.sh [--build DIR] [--work DIR] [--files N] [--dirs N] [--big N]
#                       [--big-mib N] [--runs N]
# Defaults: build-bench-release (configured and built here, Release), /tmp/verdal-bench,
# 100000 files of 0-16 KiB in 2000 folders, 20 files of 50 MiB, 5 runs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build-bench-release"
work=/tmp/verdal-bench
files=100000 dirs=2000 big=20 bigmib=50 runs=5
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        --files) files=$2; shift 2 ;;
        --dirs) dirs=$2; shift 2 ;;
        --big) big=$2; shift 2 ;;
        --big-mib) bigmib=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        *) echo "Unbekannte Option: $1" >&2; exit 3 ;;
    esac
done

if [ ! -x "$build/src/cli/verdal-run" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVERDAL_GUI=OFF \
        -DVERDAL_TESTS=OFF >/dev/null
    cmake --build "$build" --target verdal-run -j2 >/dev/null
fi
run="$build/src/cli/verdal-run"
mkdir -p "$work"
g++ -std=c++20 -O2 -I"$here/src" "$here/bench/make_profile.cpp" "$build/src/libverdal_core.a" \
    $(pkg-config --libs gio-2.0 icu-uc icu-i18n) -lacl -o "$work/make_profile"

# ---- trees ---------------------------------------------------------------------------------
make_small() {
    /usr/bin/python3 - "$1" "$files" "$dirs" <<'PY'
import os, random, sys
root, files, dirs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(4)
block = os.urandom(16384)
for d in range(dirs):
    os.makedirs(f"{root}/d{d // 50:03}/e{d:04}", exist_ok=True)
for i in range(files):
    d = i % dirs
    with open(f"{root}/d{d // 50:03}/e{d:04}/f{i:06}.dat", "wb") as f:
        f.write(block[:random.randint(0, 16384)])
PY
}
make_big() {
    mkdir -p "$1"
    for i in $(seq 1 "$big"); do
        head -c "$((bigmib * 1024 * 1024))" /dev/urandom >"$1/gross$i.bin"
    done
}
# 1% of the files get new contents and a newer time, another 1% are deleted.
change_tree() {
    /usr/bin/python3 - "$1" <<'PY'
import os, sys, time
root = sys.argv[1]
names = sorted(os.path.join(d, f) for d, _, fs in os.walk(root) for f in fs)
step = max(1, len(names) // max(1, len(names) // 100))
later = time.time() + 3600
for n in names[::step]:
    with open(n, "ab") as f:
        f.write(b"changed")
    os.utime(n, (later, later))
for n in names[step // 2::step]:
    os.remove(n)
PY
}

# ---- timing --------------------------------------------------------------------------------
# Runs "$@" once to warm the cache, then $runs times; prints the median seconds and the peak
# resident set in MiB. A "prepare" function, when set, runs untimed before each run.
prepare=:
measure() {
    local times=() peak=0 t m
    "$prepare"; "$@" >/dev/null 2>&1 || true
    for _ in $(seq 1 "$runs"); do
        "$prepare"
        /usr/bin/time -f '%e %M' -o "$work/time.out" "$@" >/dev/null 2>&1 || true
        read -r t m <"$work/time.out"
        times+=("$t")
        [ "$m" -gt "$peak" ] && peak=$m
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")
    echo "$median $((peak / 1024))"
}

report() {  # label, ours "t mem", other label, other "t mem"
    local ot om xt xm width
    read -r ot om <<<"$2"
    read -r xt xm <<<"$4"
    # Padded here by characters: awk would count the bytes of the umlauts.
    width=$(printf '%s' "$1" | LC_ALL=C.UTF-8 wc -m)
    awk -v l="$1$(printf '%*s' $((40 - width)) '')" -v ot="$ot" -v om="$om" -v x="$3" -v xt="$xt" -v xm="$xm" 'BEGIN {
        r = (xt > 0) ? ot / xt : 0
        printf "%s verdal %7.2fs %5d MiB | %-16s %7.2fs %5d MiB | Faktor %.2f\n",
               l, ot, om, x, xt, xm, r }'
}

bench_tree() {  # name, generator
    local name=$1 src="$work/$1-src" changed="$work/$1-changed" dst="$work/$1-dst"
    rm -rf "$src" "$changed" "$dst"
    echo "== $name: Baum erzeugen"
    "$2" "$src"
    "$work/make_profile" "$work/bench.vrd" "$src" "$dst" "$work/bench-log.txt"

    empty_dst() { rm -rf "$dst"; mkdir -p "$dst"; }
    prepare=empty_dst
    local first cp cps rs
    first=$(measure "$run" --ini "$work/bench.ini" "$work/bench.vrd")
    cp=$(measure cp -a "$src/." "$dst/")
    # verdal ends its copy pass with one syncfs per written file system; this line charges
    # cp -a the same.
    cps=$(measure sh -c 'cp -a "$1/." "$2/" && sync -f "$2"' sh "$src" "$dst")
    rs=$(measure rsync -a "$src/" "$dst/")
    report "$name: erste Sicherung" "$first" "cp -a" "$cp"
    report "$name: erste Sicherung" "$first" "cp -a && sync -f" "$cps"
    report "$name: erste Sicherung" "$first" "rsync -a" "$rs"
    if [ "$systemcopy" = 1 ]; then
        "$work/make_profile" "$work/bench.vrd" "$src" "$dst" "$work/bench-log.txt" system
        local sys
        sys=$(measure "$run" --ini "$work/bench.ini" "$work/bench.vrd")
        report "$name: erste Sicherung (Systemkopie)" "$sys" "cp -a" "$cp"
        report "$name: erste Sicherung (Systemkopie)" "$sys" "cp -a && sync -f" "$cps"
        "$work/make_profile" "$work/bench.vrd" "$src" "$dst" "$work/bench-log.txt"
    fi

    full_dst() { rsync -a --delete "$src/" "$dst/"; }
    prepare=full_dst
    full_dst
    prepare=:
    local again rsd fnd
    again=$(measure "$run" --ini "$work/bench.ini" "$work/bench.vrd")
    rsd=$(measure rsync -a --delete "$src/" "$dst/")
    fnd=$(measure find "$src" "$dst" -printf '')
    report "$name: unverändert" "$again" "rsync -a --delete" "$rsd"
    report "$name: unverändert" "$again" "find (Boden)" "$fnd"

    cp -a "$src" "$changed"
    change_tree "$changed"
    "$work/make_profile" "$work/bench.vrd" "$changed" "$dst" "$work/bench-log.txt"
    reset_dst() { rsync -a --delete "$src/" "$dst/"; }
    prepare=reset_dst
    local delta rsdelta
    delta=$(measure "$run" --ini "$work/bench.ini" "$work/bench.vrd")
    rsdelta=$(measure rsync -a --delete "$changed/" "$dst/")
    report "$name: 1% geändert, 1% gelöscht" "$delta" "rsync -a --delete" "$rsdelta"
    prepare=:
    rm -rf "$src" "$changed" "$dst"
}

# The big files are copied a second time with the profile set to the system copy
# (copy_file_range) instead of the program's own 128 KiB block loop.
systemcopy=0 bench_tree klein make_small
systemcopy=1 bench_tree gross make_big

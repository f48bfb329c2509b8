#!/usr/bin/env bash
# Times verdal-run against cp -a, rsync -a, find and a bare stat walk on two generated trees
# (median of several warm-cache rounds, the tools taking turns) and reports the ratios and peak
# memory. Not part of the tests.
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
g++ -std=c++20 -O2 -pthread "$here/bench/statwalk.cpp" -o "$work/statwalk"

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
# compare PREPARE LABEL CMD LABEL CMD ...: runs each command once to warm the cache, then $runs
# rounds in which every command runs once in turn, so that a slower or faster spell of the
# machine meets all of them alike. PREPARE runs untimed before each run and ends with a sync,
# so that no command pays for the write-back of the one before it. Sets result[LABEL] to
# "median-seconds peak-MiB" and rounds[LABEL] to the seconds of each round.
declare -A result rounds
compare() {
    local prepare=$1 i label t m
    shift
    local -a labels=() cmds=()
    while [ $# -gt 0 ]; do labels+=("$1"); cmds+=("$2"); shift 2; done
    declare -A times=() peaks=()
    for i in "${!cmds[@]}"; do
        "$prepare"; sync
        eval "${cmds[$i]}" >/dev/null 2>&1 || true
    done
    for _ in $(seq 1 "$runs"); do
        for i in "${!cmds[@]}"; do
            "$prepare"; sync
            # Timed here to the millisecond; time(1) gives only hundredths, and the peak memory.
            local start end
            start=$(date +%s%N)
            /usr/bin/time -f '%M' -o "$work/time.out" sh -c "${cmds[$i]}" >/dev/null 2>&1 || true
            end=$(date +%s%N)
            read -r m <"$work/time.out"
            t=$(awk -v d=$((end - start)) 'BEGIN { printf "%.3f", d / 1e9 }')
            times[$i]="${times[$i]:-} $t"
            [ "$m" -gt "${peaks[$i]:-0}" ] && peaks[$i]=$m
        done
    done
    for i in "${!cmds[@]}"; do
        label=${labels[$i]}
        t=$(printf '%s\n' ${times[$i]} | sort -g | sed -n "$(((runs + 1) / 2))p")
        result[$label]="$t $((peaks[$i] / 1024))"
        rounds[$label]=${times[$i]}
    done
}

# report TITLE OURS OTHER-TITLE OTHER: medians side by side; the factor of the medians, and the
# median of the factors of each round (steadier when the machine's speed drifts).
report() {
    local ot om xt xm width
    read -r ot om <<<"${result[$2]}"
    read -r xt xm <<<"${result[$4]}"
    # Padded here by characters: awk would count the bytes of the umlauts.
    width=$(printf '%s' "$1" | LC_ALL=C.UTF-8 wc -m)
    awk -v l="$1$(printf '%*s' $((40 - width)) '')" -v ot="$ot" -v om="$om" -v x="$3" -v xt="$xt" \
        -v xm="$xm" -v ours="${rounds[$2]}" -v other="${rounds[$4]}" 'BEGIN {
        n = split(ours, a, " "); split(other, b, " ")
        for (i = 1; i <= n; ++i) f[i] = (b[i] > 0) ? a[i] / b[i] : 0
        for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (f[j] < f[i]) { t = f[i]; f[i] = f[j]; f[j] = t }
        r = (xt > 0) ? ot / xt : 0
        printf "%s verdal %7.3fs %4d MiB | %-17s %7.3fs %4d MiB | Faktor %.2f (je Runde %.2f)\n",
               l, ot, om, x, xt, xm, r, f[int((n + 1) / 2)] }'
}

nothing() { :; }

bench_tree() {  # name, generator
    local name=$1 src="$work/$1-src" changed="$work/$1-changed" dst="$work/$1-dst"
    local old="$work/$1-old" q
    rm -rf "$src" "$changed" "$dst" "$old"
    echo "== $name: Baum erzeugen"
    "$2" "$src"
    "$work/make_profile" "$work/bench.vrd" "$src" "$dst" "$work/bench-log.txt"
    "$work/make_profile" "$work/system.vrd" "$src" "$dst" "$work/bench-log.txt" system
    local S D C R B P
    printf -v S %q "$src"; printf -v D %q "$dst"; printf -v C %q "$changed"
    printf -v R %q "$run"; printf -v B %q "$work/bench.ini"; printf -v P %q "$work"

    # A first backup writes into a new empty folder each time. The earlier copies are only
    # moved aside: deleting 100,000 files just before a run slows the next file creations on
    # ext4 (it skips recently freed inodes), which would charge the victim of the moment.
    mkdir -p "$old"
    empty_dst() { [ -e "$dst" ] && mv "$dst" "$(mktemp -d -p "$old")/"; mkdir -p "$dst"; }
    local -a first=("verdal" "$R --ini $B $P/bench.vrd"
                    "cp -a" "cp -a $S/. $D/"
                    "cp -a && sync -f" "cp -a $S/. $D/ && sync -f $D"
                    "rsync -a" "rsync -a $S/ $D/")
    [ "$systemcopy" = 1 ] && first+=("Systemkopie" "$R --ini $B $P/system.vrd")
    compare empty_dst "${first[@]}"
    report "$name: erste Sicherung" "verdal" "cp -a" "cp -a"
    report "$name: erste Sicherung" "verdal" "cp -a && sync -f" "cp -a && sync -f"
    report "$name: erste Sicherung" "verdal" "rsync -a" "rsync -a"
    if [ "$systemcopy" = 1 ]; then
        report "$name: erste Sicherung (Systemkopie)" "Systemkopie" "cp -a" "cp -a"
        report "$name: erste Sicherung (Systemkopie)" "Systemkopie" "cp -a && sync -f" "cp -a && sync -f"
    fi
    rm -rf "$old" "$dst"
    mkdir -p "$dst"

    rsync -a --delete "$src/" "$dst/"
    compare nothing "verdal" "$R --ini $B $P/bench.vrd" \
        "rsync -a --delete" "rsync -a --delete $S/ $D/" \
        "find" "find $S $D -printf ''" \
        "statwalk" "$P/statwalk $S $D"
    report "$name: unverändert" "verdal" "rsync -a --delete" "rsync -a --delete"
    report "$name: unverändert" "verdal" "find (Boden)" "find"
    report "$name: unverändert" "verdal" "statwalk (Boden)" "statwalk"

    cp -a "$src" "$changed"
    change_tree "$changed"
    "$work/make_profile" "$work/bench.vrd" "$changed" "$dst" "$work/bench-log.txt"
    reset_dst() { rsync -a --delete "$src/" "$dst/"; }
    compare reset_dst "verdal" "$R --ini $B $P/bench.vrd" \
        "rsync -a --delete" "rsync -a --delete $C/ $D/"
    report "$name: 1% geändert, 1% gelöscht" "verdal" "rsync -a --delete" "rsync -a --delete"
    rm -rf "$src" "$changed" "$dst"
}

# The big files are copied a second time with the profile set to the system copy
# (copy_file_range) instead of the program's own 128 KiB block loop.
systemcopy=0 bench_tree klein make_small
systemcopy=1 bench_tree gross make_big

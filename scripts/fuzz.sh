#!/usr/bin/env bash
# Fuzzes one reader by hand with clang's libFuzzer: scripts/fuzz.sh NAME [SECONDS]
#   NAME: profile, batch, options, snapshot, macro or smtp_reply (tests/fuzz/NAME is the seed
#   corpus). New inputs that widen coverage go to build-fuzz/corpus/NAME; crashes are saved
#   in build-fuzz/crashes/ — copy one into tests/fuzz/NAME/ once it is mended, so that the
#   corpus replay of the normal test run keeps checking it.
set -euo pipefail
name=${1:?usage: $0 NAME [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
[ -d "tests/fuzz/$name" ] || { echo "no fuzz target $name" >&2; exit 2; }

if ! command -v clang++-14 >/dev/null || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset fuzz "${launcher[@]}" >/dev/null
cmake --build --preset fuzz --target "fuzz_$name"

mkdir -p "build-fuzz/corpus/$name" build-fuzz/crashes
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="build-fuzz/crashes/$name-" -print_final_stats=1 \
    "build-fuzz/corpus/$name" "tests/fuzz/$name"

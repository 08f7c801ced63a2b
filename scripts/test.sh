#!/usr/bin/env bash
# Sets up whatever is missing, builds every preset and runs every test tier:
#   1. native unit tests            (build/native)
#   2. native unit tests, ASan+UBSan (build/native-asan)
#   3. Win32 tests under Wine        (build/windows; GUI scenarios in a private Xvfb)
#   4. fuzz smoke run of every fuzz target (build/fuzz, 20 s per target; scripts/fuzz.sh)
# Exits non-zero when any step fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

FUZZ_SECONDS=${FUZZ_SECONDS:-20}
step() { printf '\n=== %s ===\n' "$*"; }

step "setup"
bash scripts/setup.sh

step "native: build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

step "native with ASan+UBSan: build and unit tests"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset native-asan -j2

step "windows: cross build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
export WINEPREFIX="$root/build/wineprefix"
tools/wine-setup.sh
cleanup() { WINEPREFIX="$root/build/wineprefix" wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset windows
cleanup

step "fuzz: libFuzzer smoke run (${FUZZ_SECONDS}s per target)"
FUZZ_RUNS=-1 bash scripts/fuzz.sh "$FUZZ_SECONDS"

step "all test tiers passed"

#!/usr/bin/env bash
# Builds and runs the whole test suite: the tests in a normal build (warnings as errors,
# benchmarks built) with the install, package and consumer checks; then one clang build under
# AddressSanitizer + UndefinedBehaviorSanitizer that runs the tests again and a short run of
# every fuzz target; then the 32-bit Windows build and the suite under Wine. Exits non-zero on
# any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
stage() { echo "== $1 ($(date +%T))"; }

stage "build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_WERROR=ON -DVL_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

stage "install, package and consumer checks"
tools/consumer.sh build

stage "build under AddressSanitizer + UndefinedBehaviorSanitizer (clang, with the fuzz targets)"
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVL_WERROR=ON -DVL_SANITIZE=ON -DVL_FUZZ=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

stage "fuzz targets (short runs)"
for target in build-sanitize/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  echo "-- $(basename "$target")"
  log=build-sanitize/$(basename "$target").log
  if ! "$target" -runs="${VL_FUZZ_RUNS:-20000}" -max_len=4096 >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
done
# The 32-bit Windows build: VERTALIB.dll, its export and import tables, and the whole suite
# under Wine (VL_WINDOWS=checks: only the DLL's own checks; VL_WINDOWS=0: none of it).
case "${VL_WINDOWS:-suite}" in
  checks) stage "32-bit Windows: VERTALIB.dll and its checks under Wine"; tools/windows.sh checks ;;
  0) ;;
  *) stage "32-bit Windows: VERTALIB.dll and the whole suite under Wine"; tools/windows.sh ;;
esac
stage "done"

#!/usr/bin/env bash
# Builds and runs the whole test suite: a short run of every fuzz target, then the tests
# once normally (warnings as errors, benchmarks built), once under AddressSanitizer +
# UndefinedBehaviorSanitizer, and the 32-bit Windows build (VERTALIB.dll) with its checks
# under Wine (tools/windows.sh). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== fuzz targets (short runs)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVL_WERROR=ON -DVL_FUZZ=ON -DVL_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  echo "-- $(basename "$target")"
  log=build-fuzz/$(basename "$target").log
  if ! "$target" -runs="${VL_FUZZ_RUNS:-20000}" -max_len=4096 >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
done

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_WERROR=ON -DVL_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVL_WERROR=ON -DVL_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# The DLL's own checks by default; VL_WINDOWS_SUITE=1 adds the whole GoogleTest suite under
# Wine (slow where Wine runs through qemu, and not yet passing there).
if [ "${VL_WINDOWS_SUITE:-0}" = 1 ]; then
  echo "== 32-bit Windows: VERTALIB.dll, its checks and the whole test suite under Wine"
  tools/windows.sh
else
  echo "== 32-bit Windows: VERTALIB.dll and its checks under Wine (VL_WINDOWS_SUITE=1 for the whole suite)"
  tools/windows.sh checks
fi

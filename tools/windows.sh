#!/usr/bin/env bash
# The 32-bit Windows build: sets up what it needs (once), cross-builds build-windows/VERTALIB.dll
# and the test programs with the mingw-w64 i686 toolchain, and runs the test suite under
# Wine. Exits non-zero on any failure.
#
#   tools/windows.sh            set up, build and test
#   tools/windows.sh setup      only set up (packages, mbed TLS and GoogleTest for i686)
#   tools/windows.sh build      set up and build, no tests
#   tools/windows.sh checks     set up, build and run the DLL's checks under Wine (export and
#                               import tables, the caller, the record layouts, the C program)
#                               but not the whole GoogleTest suite
#
# Set-up, all idempotent: the i386 architecture and the Debian packages (apt-get only when
# one is missing); Debian's source index in its own sources file; mbed TLS from Debian's
# source package of the version libmbedtls-dev has and GoogleTest from the sources the
# googletest package installs, each built for i686 into a cache outside the source tree
# (VL_WINDOWS_CACHE, default ~/.cache/vertalib); a Wine prefix inside the build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
what=${1:-all}
build=${VL_WINDOWS_BUILD:-$root/build-windows}
cache=${VL_WINDOWS_CACHE:-$HOME/.cache/vertalib}
toolchain=$root/cmake/mingw-i686.cmake
jobs=$(nproc)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

stage_start=$SECONDS
stage() {
  echo "== windows: $1"
  stage_start=$SECONDS
}
stage_done() {
  echo "-- windows: $1 took $((SECONDS - stage_start)) s"
}

# ---------------------------------------------------------------------------- set-up
source_list=/etc/apt/sources.list.d/vertalib-src.sources

# Debian's source index for the suites this machine already uses: its own sources with
# the type changed to deb-src, in a file of ours.
add_source_index() {
  [ -f "$source_list" ] && return 1
  local tmp
  tmp=$(mktemp)
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$tmp"
  elif [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    # One-line sources turned into the deb822 form, one paragraph per line.
    grep '^deb ' /etc/apt/sources.list | while read -r _ rest; do
      local options="" uri suite components
      if [[ $rest == \[* ]]; then
        options=${rest%%]*}
        rest=${rest#*] }
      fi
      read -r uri suite components <<<"$rest"
      printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uri" "$suite" "$components"
      [[ $options == *signed-by=* ]] && printf 'Signed-By: %s\n' "$(sed 's/.*signed-by=\([^ ]*\).*/\1/' <<<"$options")"
      echo
    done >"$tmp"
  else
    echo "windows: no Debian sources found to derive the source index from" >&2
    rm -f "$tmp"
    exit 1
  fi
  $sudo install -m 644 "$tmp" "$source_list"
  rm -f "$tmp"
  return 0
}

install_packages() {
  local packages=(cmake ninja-build dpkg-dev g++-mingw-w64-i686 binutils-mingw-w64-i686
                  googletest libmbedtls-dev wine wine32:i386)
  local missing=() update=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    update=1
  fi
  add_source_index && update=1
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ] || [ $update -eq 1 ]; then
    $sudo apt-get update -qq
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}"
  fi
}

# mbed TLS, the same version as the host's libmbedtls-dev, from Debian's source package
# (Debian's patches applied), as a static library for i686.
build_mbedtls() {
  local version
  version=$(dpkg-query -W -f='${Version}' libmbedtls-dev)
  mbedtls_prefix=$cache/i686/mbedtls-$version
  [ -f "$mbedtls_prefix/lib/libmbedcrypto.a" ] && return
  local sources=$cache/src/mbedtls-$version
  if [ ! -d "$sources/unpacked" ]; then
    rm -rf "$sources"
    mkdir -p "$sources"
    (cd "$sources" && apt-get source -qq "mbedtls=$version" >/dev/null)
    local unpacked
    unpacked=$(find "$sources" -mindepth 1 -maxdepth 1 -type d -name 'mbedtls-*' | head -n 1)
    mv "$unpacked" "$sources/unpacked"
  fi
  local work=$cache/build/mbedtls-$version
  rm -rf "$work"
  cmake -S "$sources/unpacked" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$mbedtls_prefix" \
    -DENABLE_PROGRAMS=OFF -DENABLE_TESTING=OFF -DUSE_STATIC_MBEDTLS_LIBRARY=ON \
    -DUSE_SHARED_MBEDTLS_LIBRARY=OFF -DMBEDTLS_FATAL_WARNINGS=OFF >/dev/null
  cmake --build "$work" -j "$jobs" >/dev/null
  cmake --install "$work" >/dev/null
  rm -rf "$work"
}

# GoogleTest from the sources Debian's googletest package installs.
build_googletest() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest)
  gtest_prefix=$cache/i686/googletest-$version
  [ -f "$gtest_prefix/lib/libgtest.a" ] && return
  local work=$cache/build/googletest-$version
  rm -rf "$work"
  cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF \
    -Dgtest_disable_pthreads=ON >/dev/null
  cmake --build "$work" -j "$jobs" >/dev/null
  cmake --install "$work" >/dev/null
  rm -rf "$work"
}

# Wine 32-bit is made of i386 Linux programs. A kernel that runs them natively needs nothing
# more; one built or booted without 32-bit emulation runs them through qemu's user-mode
# emulator, registered for i386 programs with the kernel's binfmt_misc (Wine's preloader
# then lays out the address space, which Wine alone cannot do under the emulator).
runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
enable_i386() {
  runs_i386 && return
  local packages=() binfmt=/proc/sys/fs/binfmt_misc
  for p in qemu-user-static wine32-preloader:i386; do
    dpkg -s "$p" >/dev/null 2>&1 || packages+=("$p")
  done
  if [ ${#packages[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${packages[@]}"
  fi
  [ -f "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
  if [ ! -f "$binfmt/vertalib-i386" ]; then
    # i386 ELF executables and shared objects (e_type 2 or 3, e_machine 3).
    printf '%s' ':vertalib-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
      $sudo tee "$binfmt/register" >/dev/null 2>&1 || true
  fi
  runs_i386 || return 1
  echo "windows: i386 programs run through qemu-i386-static (no 32-bit support in this kernel)"
}

export WINEPREFIX=$build/wineprefix
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs on the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# No core files from Wine's helper processes that crash under the emulator.
ulimit -c 0
wine=$(command -v wine || command -v wine-stable)
wineserver=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)

# The first start of Wine creates the prefix (minutes under qemu); bounded, as it may hang
# on a broken set-up.
start_wine() {
  enable_i386 || return 1
  mkdir -p "$build"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 900 "$wine" wineboot --init >/dev/null 2>&1 || {
      echo "windows: the first start of Wine failed or timed out" >&2
      exit 1
    }
    timeout 300 "$wineserver" -w || true
  fi
  # A program that crashes ends there, with its failure, instead of waiting in Wine's
  # debugger for someone to look at it.
  if [ ! -f "$WINEPREFIX/.no-crash-debugger" ]; then
    timeout 300 "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /t REG_SZ /d "" /f >/dev/null 2>&1 && touch "$WINEPREFIX/.no-crash-debugger"
  fi
}

stage "set-up"
install_packages
mkdir -p "$cache"
build_mbedtls
build_googletest
wine_runs=1
start_wine || wine_runs=0
stage_done "set-up"
[ "$what" = setup ] && exit 0

stage "build"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DVL_WINDOWS_DEPS="$mbedtls_prefix;$gtest_prefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVL_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
stage_done "build"
[ "$what" = build ] && exit 0

if [ $wine_runs -eq 0 ]; then
  # Nothing here can run a 32-bit program: the tables of the DLL are still checked, and the
  # missing test run is said loudly rather than passed over.
  ctest --test-dir "$build" --output-on-failure -R '^windows_(exports|imports)$'
  echo "windows: NOT RUN: this machine runs no i386 program, not even through qemu-i386-static" >&2
  echo "windows: (binfmt_misc could not be set up); the tests under Wine did not run" >&2
  exit 0
fi

stage "tests under Wine"
# One Wine server for the whole run instead of one per test program; stopped afterwards.
"$wineserver" -p 2>/dev/null || true  # (one may be running already)
# Wine's own services start with the first program and live on with the server: started
# here, with no output of theirs, they hold no test's output open.
timeout 600 "$wine" wineboot >/dev/null 2>&1 </dev/null || true
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
# The programs take the time zone from the system (Wine's, the host's); a TZ variable would
# give the runtime a second, differently parsed zone.
if [ "$what" = checks ]; then
  env -u TZ ctest --test-dir "$build" --output-on-failure -j "$jobs" -R '^(c_api|windows_.*)$'
else
  env -u TZ ctest --test-dir "$build" --output-on-failure -j "$jobs"
fi
stage_done "tests under Wine"

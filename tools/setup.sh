#!/usr/bin/env bash
# Installs what building and testing the library needs (Debian packages). Works on Debian 12
# and 13 alike: the clang runtime package is the one of the clang the release has.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=0
install_missing() {
  local missing=()
  for p in "$@"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$updated" -eq 0 ]; then $sudo apt-get update -qq; updated=1; fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
install_missing cmake ninja-build g++ clang libgtest-dev libbenchmark-dev libmbedtls-dev tzdata \
  pkg-config dpkg-dev file
# The sanitizer and libFuzzer runtimes of this release's clang (libclang-rt-N-dev).
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
install_missing "libclang-rt-${clang_major}-dev"

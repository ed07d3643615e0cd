#!/usr/bin/env bash
# Installs the built library into a temporary prefix and builds a small C program against it
# twice (CMake package, pkg-config); then makes the Debian package, inspects it, installs it,
# uses it and removes it again. Run from the repository's top with a configured build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
say() { echo "-- $*"; }

say "install into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/vertalib/vertalib.h"
test -x "$work/prefix/bin/vertalib"

say "find_package(VertaLib CONFIG)"
cmake -S tests/consumer -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
LD_LIBRARY_PATH=$(dirname "$(find "$work/prefix" -name 'libvertalib.so' | head -n 1)") \
  "$work/consumer/consumer_shared"
"$work/consumer/consumer_static"

say "pkg-config"
pc_dir=$(dirname "$(find "$work/prefix" -name vertalib.pc | head -n 1)")
PKG_CONFIG_PATH="$pc_dir" pkg-config --modversion vertalib
# shellcheck disable=SC2046
cc -o "$work/consumer_pc" tests/consumer/consumer.c \
  $(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs vertalib)
LD_LIBRARY_PATH=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --variable=libdir vertalib) "$work/consumer_pc"

say "Debian package"
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(find "$work/deb" -maxdepth 1 -name '*.deb' | head -n 1)
contents=$(dpkg-deb -c "$deb")
for path in ./usr/include/vertalib/vertalib.h ./usr/bin/vertalib ./usr/lib/libvertalib.so \
            ./usr/lib/pkgconfig/vertalib.pc ./usr/lib/cmake/VertaLib/VertaLibConfig.cmake; do
  grep -q " $path" <<<"$contents" || { echo "the package lacks $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libmbedcrypto' <<<"$depends" || { echo "the package does not depend on mbed TLS"; exit 1; }
if [ "$(id -u)" -eq 0 ]; then
  dpkg -i "$deb" >/dev/null
  vertalib --help >/dev/null
  # shellcheck disable=SC2046
  cc -o "$work/consumer_deb" tests/consumer/consumer.c $(pkg-config --cflags --libs vertalib)
  "$work/consumer_deb"
  dpkg --purge vertalib >/dev/null
  if dpkg -s vertalib >/dev/null 2>&1 || [ -e /usr/bin/vertalib ]; then
    echo "vertalib still installed after removal"; exit 1
  fi
else
  say "not root: the package is inspected but not installed"
fi
say "consumer checks passed"

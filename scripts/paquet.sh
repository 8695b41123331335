#!/usr/bin/env bash
# Builds the Debian package vuviviva_<version>-1_<arch>.deb into the repository root: the
# program alone in Release, installed under /usr, its dependencies given by dpkg-shlibdeps.
# Install it with: sudo apt install ./vuviviva_*.deb
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"

build="$here/build-paquet"
lanceur=()
if command -v ccache >/dev/null; then
  lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVUVIVIVA_TESTS=OFF -DVUVIVIVA_BENCH=OFF "${lanceur[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -rf "$build/paquet"
cpack --config "$build/CPackConfig.cmake" -B "$build/paquet" >/dev/null
cp "$build"/paquet/vuviviva_*.deb "$here/"
ls "$here"/vuviviva_*.deb

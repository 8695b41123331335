#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
# Idempotent and quiet on a ready machine: only missing packages are fetched.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev libqt6opengl6-dev
  qt6-translations-l10n
  libgl-dev
  libjpeg62-turbo-dev libtiff-dev libgif-dev
  libfreexl-dev libminizip-dev libexpat1-dev libuemf-dev libtiff-tools
  libgdal-dev gdal-bin
  # other readers of the GIS exports in the tests
  libxml2-utils python3-lxml python3-ezdxf
  googletest libgtest-dev libgmock-dev libbenchmark-dev libgeographiclib-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth xdotool openbox x11-utils
  # the Debian package and the checks of the installed program (tests/packaging)
  dpkg-dev file strace desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

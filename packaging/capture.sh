#!/usr/bin/env bash
# Makes the screenshot of the AppStream file (packaging/capture.png): the program built in
# build/, opened on the sample project under a virtual display with openbox, the whole
# screen taken. Needs xvfb, openbox and imagemagick; run from anywhere.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
programme="${1:-$racine/build/vuviviva}"
sortie="$racine/packaging/capture.png"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

cd "$racine" # the sample project names its map as samples/carte_exemple.jpg
VUVIVIVA_PROGRAM_DIR="$travail" xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
  openbox & sleep 1
  "$1" samples/carte_exemple.trl & sleep 6
  import -window root "$2/brut.png"
  kill %2 %1' _ "$programme" "$travail"
# 256 colours keep the flat areas of the windows sharp at a tenth of the size.
convert "$travail/brut.png" -dither None -colors 256 "PNG8:$sortie"
echo "$sortie: $(stat -c %s "$sortie") octets"

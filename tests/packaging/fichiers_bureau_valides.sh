#!/usr/bin/env bash
# Installs the build into a temporary prefix: every file in its standard place, the menu entry
# and the AppStream file valid for the desktop's own checkers.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp" >/dev/null

attendus=(
  bin/vuviviva
  share/vuviviva/vuviviva.hep
  "share/vuviviva/Exemple UTM to LatLong.xl0"
  "share/vuviviva/Exemple LatLog to UTM.xl0"
  share/vuviviva/exemples/carte_exemple.trl
  share/vuviviva/exemples/carte_exemple.jpg
  share/applications/org.vuviviva.Vuviviva.desktop
  share/metainfo/org.vuviviva.Vuviviva.metainfo.xml
  share/mime/packages/vuviviva.xml
  share/icons/hicolor/scalable/apps/org.vuviviva.Vuviviva.svg
  share/icons/hicolor/scalable/mimetypes/application-x-vuviviva-projet.svg
)
for f in "${attendus[@]}"; do
  [ -f "$tmp/$f" ] || { echo "absent de l'installation : $f"; exit 1; }
done
[ -x "$tmp/bin/vuviviva" ] || { echo "bin/vuviviva n'est pas exécutable"; exit 1; }

desktop-file-validate "$tmp/share/applications/org.vuviviva.Vuviviva.desktop"
appstreamcli validate --no-net "$tmp/share/metainfo/org.vuviviva.Vuviviva.metainfo.xml"
# The icon named by the menu entry is the one installed.
grep -qx 'Icon=org.vuviviva.Vuviviva' "$tmp/share/applications/org.vuviviva.Vuviviva.desktop"
grep -qx 'Exec=vuviviva %f' "$tmp/share/applications/org.vuviviva.Vuviviva.desktop"
echo "installation valide"

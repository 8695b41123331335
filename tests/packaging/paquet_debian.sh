#!/usr/bin/env bash
# The Debian package of the build: the installed files under /usr, the fields apt needs, and
# the dependencies computed from the program's shared libraries.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null 2>"$tmp/cpack.err" || { cat "$tmp/cpack.err"; exit 1; }
paquets=("$tmp"/vuviviva_*_*.deb)
[ ${#paquets[@]} -eq 1 ] && [ -f "${paquets[0]}" ] || { echo "pas de paquet unique : ${paquets[*]}"; exit 1; }
deb=${paquets[0]}

contenu=$(dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }')
for f in ./usr/bin/vuviviva ./usr/share/vuviviva/vuviviva.hep "./usr/share/vuviviva/Exemple UTM to LatLong.xl0" \
  ./usr/share/vuviviva/exemples/carte_exemple.trl ./usr/share/vuviviva/exemples/carte_exemple.jpg \
  ./usr/share/applications/org.vuviviva.Vuviviva.desktop ./usr/share/metainfo/org.vuviviva.Vuviviva.metainfo.xml \
  ./usr/share/mime/packages/vuviviva.xml ./usr/share/icons/hicolor/scalable/apps/org.vuviviva.Vuviviva.svg; do
  grep -qxF "$f" <<<"$contenu" || { echo "absent du paquet : $f"; exit 1; }
done
# Nothing outside /usr, and none of the build's own files.
if grep -vE '^\./(usr(/.*)?)?$' <<<"$contenu"; then echo "fichiers hors de /usr"; exit 1; fi

champ() { dpkg-deb -f "$deb" "$1"; }
[ "$(champ Package)" = vuviviva ] || { echo "Package: $(champ Package)"; exit 1; }
[ "$(champ Version)" = 3.3-1 ] || { echo "Version: $(champ Version)"; exit 1; }
[ "$(champ Architecture)" = "$(dpkg --print-architecture)" ] || { echo "Architecture: $(champ Architecture)"; exit 1; }
depends=$(champ Depends)
noms=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 \
  libfreexl1 libjpeg62-turbo libtiff6 libgif7 libuemf0 libgdal32; do
  grep -qxF "$lib" <<<"$noms" || { echo "dépendance absente : $lib dans « $depends »"; exit 1; }
done
grep -q qt6-translations-l10n <<<"$(champ Recommends)" || { echo "Recommends: $(champ Recommends)"; exit 1; }
dpkg -I "$deb" >/dev/null

# The program inside is stripped: the package carries no debug information.
dpkg-deb -x "$deb" "$tmp/racine"
if file "$tmp/racine/usr/bin/vuviviva" | grep -q "not stripped"; then echo "programme non épuré"; exit 1; fi
echo "paquet : $(basename "$deb"), $(stat -c %s "$deb") octets"
echo "Depends: $depends"

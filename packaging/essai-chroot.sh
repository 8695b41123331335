#!/usr/bin/env bash
# What a user of a fresh Debian 12 does with the package, in a chroot: apt installs it with its
# dependencies, the program starts (offscreen, as an ordinary user and as root) on the installed
# sample project and keeps its settings in the user's folder, then apt removes it and nothing of
# it is left. Not part of ./test.sh: it downloads a base system and Qt. Run as root:
#   packaging/essai-chroot.sh vuviviva_3.3-1_amd64.deb [chroot folder]
set -euo pipefail
deb=$(realpath "$1")
racine=$(realpath -m "${2:-/var/tmp/vuviviva-chroot}")
[ -x "$racine/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$racine"
cp "$deb" "$racine/tmp/"

cat >"$racine/tmp/essai.sh" <<'ESSAI'
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
paquet=$1
apt-get update -qq
apt-get install -y -qq "/tmp/$paquet" >/tmp/apt-install.log
echo "installé : $(dpkg-query -W -f='${Package} ${Version} ${Status}' vuviviva)"

# Started by a user: still running after 8 s, its last folder written under ~/.config.
demarre() { # user, home
  rm -rf "$2"; mkdir -p "$2"; chown "$1" "$2"
  local rc=0
  (cd "$2" && setpriv --reuid="$1" --regid="$(id -g "$1")" --clear-groups -- env -i PATH=/usr/bin:/bin \
    HOME="$2" QT_QPA_PLATFORM=offscreen timeout 8 vuviviva /usr/share/vuviviva/exemples/carte_exemple.trl \
    >"$2.sortie" 2>&1) || rc=$?
  [ $rc -eq 124 ] || { echo "$1 : le programme s'est arrêté ($rc)"; cat "$2.sortie"; exit 1; }
  [ "$(cat "$2/.config/vuviviva/~vuviviva.~i")" = "$(printf '/usr/share/vuviviva/exemples\r')" ] ||
    { echo "$1 : pas de réglage sous ~/.config/vuviviva"; exit 1; }
  echo "$1 : le programme tourne, réglages dans $2/.config/vuviviva"
}
demarre nobody /tmp/maison-nobody
demarre root /tmp/maison-root
[ -z "$(find /usr/bin /usr/share/vuviviva -name '~*' -o -name '.vuviviva-essai*')" ] || { echo "écrit dans /usr"; exit 1; }

apt-get remove -y -qq vuviviva >/tmp/apt-remove.log
restes=$(ls -d /usr/bin/vuviviva /usr/share/vuviviva /usr/share/applications/org.vuviviva.Vuviviva.desktop \
  /usr/share/mime/packages/vuviviva.xml 2>/dev/null || true)
[ -z "$restes" ] || { echo "restes après apt remove : $restes"; exit 1; }
echo "retiré : $(dpkg-query -W -f='${Status}' vuviviva 2>/dev/null || echo 'inconnu de dpkg')"
ESSAI

unshare -m bash -c '
  mount -t proc proc "$1/proc"
  mount --bind /dev "$1/dev"
  chroot "$1" bash /tmp/essai.sh "$2"
' _ "$racine" "$(basename "$deb")"

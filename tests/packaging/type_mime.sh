#!/usr/bin/env bash
# The project type in a temporary XDG_DATA_HOME: a *.trl file, or a file whose first line is
# the project's, is named application/x-vuviviva-projet, and the menu entry opens it; asked as
# GNOME does (gio) and as a bare window manager does (mimetype).
set -euo pipefail
sources=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_DATA_HOME=$tmp/donnees
export XDG_CONFIG_HOME=$tmp/config
export XDG_DATA_DIRS=/usr/local/share:/usr/share
mkdir -p "$XDG_DATA_HOME/mime/packages" "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
cp "$sources/vuviviva-mime.xml" "$XDG_DATA_HOME/mime/packages/vuviviva.xml"
cp "$sources/org.vuviviva.Vuviviva.desktop" "$XDG_DATA_HOME/applications/"
update-mime-database "$XDG_DATA_HOME/mime"
update-desktop-database "$XDG_DATA_HOME/applications"

printf '/VUVIVIVA\r\nsamples/carte_exemple.jpg\r\n' >"$tmp/x.trl"
printf 'ancien\r\n' >"$tmp/Ancien.TRL" # the name alone
printf '/VUVIVIVA\r\n' >"$tmp/projet sans extension"
printf '/VUVIVIVA\n' >"$tmp/projet_unix"
printf '/VUVIVIVAX\r\n' >"$tmp/presque"

rc=0
attendu() { # desktop, file, expected type
  local obtenu
  obtenu=$(XDG_CURRENT_DESKTOP=$1 xdg-mime query filetype "$2" | sed 's/;.*//')
  if [ "$obtenu" != "$3" ]; then
    echo "$1 : $(basename "$2") -> $obtenu, attendu $3"
    rc=1
  fi
}
for bureau in GNOME X-Generic; do
  attendu $bureau "$tmp/x.trl" application/x-vuviviva-projet
  attendu $bureau "$tmp/Ancien.TRL" application/x-vuviviva-projet
  attendu $bureau "$tmp/projet sans extension" application/x-vuviviva-projet
  attendu $bureau "$tmp/projet_unix" application/x-vuviviva-projet
  attendu $bureau "$tmp/presque" text/plain
done
defaut=$(XDG_CURRENT_DESKTOP=X-Generic xdg-mime query default application/x-vuviviva-projet)
[ "$defaut" = org.vuviviva.Vuviviva.desktop ] || { echo "programme par défaut : '$defaut'"; rc=1; }
[ $rc -eq 0 ] && echo "type des projets reconnu"
exit $rc

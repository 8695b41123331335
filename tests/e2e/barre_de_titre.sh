#!/usr/bin/env bash
# A background loaded from the menu under a real window manager: the points window appears
# beside the map with its title bar on the screen, where the mouse can reach it (placed before
# it was framed, it used to stand with its title bar above the screen).
# Usage: barre_de_titre.sh <vuviviva executable> <samples folder>
# Exit 77 (skipped) without Xvfb, openbox, xdotool or xwininfo.
set -euo pipefail
[ -z "${TRACE:-}" ] || set -x
export LC_ALL=C.UTF-8

if [ "${1:-}" != "--dans-xvfb" ]; then
  for outil in xvfb-run openbox xdotool xwininfo; do
    command -v "$outil" >/dev/null || { echo "sans $outil : test ignoré"; exit 77; }
  done
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --dans-xvfb "$@"
fi
shift
exe=$(readlink -f "$1")
exemples=$(readlink -f "$2")

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
dossier=$(mktemp -d)
export HOME=$dossier VUVIVIVA_PROGRAM_DIR=$dossier/programme XDG_DATA_HOME=$dossier/donnees
mkdir -p "$VUVIVIVA_PROGRAM_DIR"

pids=()
fin() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$dossier"
}
trap fin EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }
attend() {
  local limite=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -lt "$limite" ] || return 1
    sleep 0.2
  done
}
fenetre() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

openbox >/dev/null 2>&1 & pids+=($!)
sleep 1
cp "$exemples/carte_exemple.jpg" "$dossier/"

"$exe" >/dev/null 2>&1 & pids+=($!)
attend 30 fenetre "v u v i v i v a" || echec "la fenêtre principale ne s'ouvre pas"
sleep 1
# Fichier, "=> &Charger une image de fond seule".
xdotool key alt+f
sleep 0.5
xdotool key c
attend 15 fenetre "Ouvrir un fichier image" || echec "le choix de l'image ne vient pas"
sleep 0.5
xdotool type --delay 10 "$dossier/carte_exemple.jpg"
xdotool key Return
attend 15 fenetre "^Confirmation$" || echec "la question du calibrage ne vient pas"
xdotool key Escape
sleep 1

# xwininfo gives the client's place inside its frame, then on the screen.
ligne=$(xwininfo -root -tree | grep '"Points digitalis' | head -1 || true)
[ -n "$ligne" ] || { xwininfo -root -tree | grep vuviviva >&2; echec "la fenêtre des points n'est pas à l'écran"; }
read -r dans_y ecran_y < <(echo "$ligne" | sed -E 's/.*\+-?[0-9]+\+(-?[0-9]+) +\+-?[0-9]+\+(-?[0-9]+).*/\1 \2/')
haut=$((ecran_y - dans_y))
[ "$haut" -ge 0 ] || echec "la barre de titre de la fenêtre des points est au-dessus de l'écran (haut du cadre : $haut)"
echo "barre de titre à l'écran (haut du cadre : $haut)"

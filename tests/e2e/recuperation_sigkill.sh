#!/usr/bin/env bash
# The recovery road through the real program under a virtual display: a project opened, 50
# points digitized with the mouse, the program killed with SIGKILL, started again on the same
# project: the offer comes, Oui gives the same tables, the project file on disk is untouched.
# Usage: recuperation_sigkill.sh <vuviviva executable> <samples folder>
# Exit 77 (skipped) without Xvfb or xdotool.
set -euo pipefail
export LC_ALL=C

if [ "${1:-}" != "--dans-xvfb" ]; then
  for outil in xvfb-run xdotool; do
    command -v "$outil" >/dev/null || { echo "sans $outil : test ignoré"; exit 77; }
  done
  exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" --dans-xvfb "$@"
fi
shift
exe=$(readlink -f "$1")
exemples=$(readlink -f "$2")

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
dossier=$(mktemp -d)
export HOME=$dossier VUVIVIVA_PROGRAM_DIR=$dossier/programme XDG_DATA_HOME=$dossier/donnees
recup=$XDG_DATA_HOME/vuviviva/recuperation
mkdir -p "$VUVIVIVA_PROGRAM_DIR"
# Only the 50th edit writes during the test.
echo 3600 > "$VUVIVIVA_PROGRAM_DIR/~vuviviva_recuperation.cfg"

pids=()
fin() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  [ -n "${GARDE:-}" ] || rm -rf "$dossier"
}
trap fin EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

# Waits up to $1 seconds for the command to succeed.
attend() {
  local limite=$(( $(date +%s) + $1 )); shift
  until "$@"; do
    [ "$(date +%s)" -lt "$limite" ] || return 1
    sleep 0.2
  done
}
# The project bytes of a recovery file: what comes before its last lines.
corps() { awk '/^\/VUVIVIVA RECUPERATION\r?$/ { exit } { print }' "$1"; }
fichiers_recup() { ls "$recup"/*.recuperation 2>/dev/null || true; }
un_fichier() { [ "$(fichiers_recup | wc -l)" -eq 1 ]; }
fenetre() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & pids+=($!); sleep 1; fi

cp "$exemples/carte_exemple.jpg" "$dossier/"
sed "2s#.*#$dossier/carte_exemple.jpg\r#" "$exemples/carte_exemple.trl" > "$dossier/carte.trl"
cp "$dossier/carte.trl" "$dossier/carte.avant"
points_avant=$(sed -n 6p "$dossier/carte.trl" | tr -d '\r')

# First run: the map, one click to bring it forward, then 50 digitized points.
"$exe" "$dossier/carte.trl" >/dev/null 2>&1 & premier=$!; pids+=($premier)
attend 30 fenetre "carte_exemple.jpg" || echec "la carte ne s'ouvre pas"
sleep 2
xdotool mousemove 150 200 click 1
sleep 0.5
for i in $(seq 0 49); do
  xdotool mousemove $((200 + 10 * i)) $((250 + (i % 7) * 40)) click 1
  sleep 0.15
done
attend 20 un_fichier || echec "aucun fichier de récupération après 50 points"
mort=$(fichiers_recup)
corps "$mort" > "$dossier/corps_mort"
n=$(sed -n 6p "$dossier/corps_mort" | tr -d '\r')
[ "$n" -eq $((points_avant + 50)) ] || echec "le fichier de récupération a $n points, pas $((points_avant + 50))"
kill -9 "$premier"
wait "$premier" 2>/dev/null || true

# Second run on the same project: the offer, answered Oui with the keyboard.
"$exe" "$dossier/carte.trl" >/dev/null 2>&1 & second=$!; pids+=($second)
attend 30 fenetre "^Confirmation$" || echec "l'offre de récupération ne vient pas"
boite=$(xdotool search --onlyvisible --name "^Confirmation$" | head -1)
xdotool windowactivate --sync "$boite" 2>/dev/null || true
sleep 0.5
xdotool key Return
# The work taken over: this program's own file holds it, the dead program's is gone.
repris() { [ ! -e "$mort" ] && un_fichier; }
attend 30 repris || echec "le travail n'a pas été repris"
corps "$(fichiers_recup)" > "$dossier/corps_repris"
# As for any project opened again, the reader gives an empty label one space.
sed 's/^\("[^"]*","[^"]*"\),,/\1," ",/' "$dossier/corps_mort" > "$dossier/corps_relu"
cmp "$dossier/corps_relu" "$dossier/corps_repris" || echec "les tableaux récupérés diffèrent"
grep -q "^projet=$dossier/carte.trl"$'\r'"$" "$(fichiers_recup)" || echec "le projet d'origine est oublié"
cmp "$dossier/carte.avant" "$dossier/carte.trl" || echec "le fichier du projet a changé"
fenetre "carte_exemple.jpg" || echec "la carte récupérée n'est pas affichée"
echo "récupération : $points_avant + 50 points, programme tué par SIGKILL, mêmes tableaux rendus par Oui ; projet intact"

#!/usr/bin/env bash
# The recovery road through the real program under a virtual display, run N times (20 by
# default): a project opened, up to 60 points digitized with the mouse, the program killed with
# SIGKILL at a random moment after a random click, started again on the same project: the offer
# comes, Oui gives back every point clicked before the kill, in order, and the project file on
# disk is untouched.
# Usage: recuperation_sigkill.sh <vuviviva executable> <samples folder> [N]
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
passes=${3:-20}

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
dossier=$(mktemp -d)
export HOME=$dossier VUVIVIVA_PROGRAM_DIR=$dossier/programme XDG_DATA_HOME=$dossier/donnees
recup=$XDG_DATA_HOME/vuviviva/recuperation
mkdir -p "$VUVIVIVA_PROGRAM_DIR"
# No full copy on the timer during the test: what comes back comes from the journal.
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

# The x column of the last $2 point rows of a project body, one a line.
x_derniers() { awk -F, -v n="$1" 'NR > 11 + 3 && NR <= 11 + 3 + n { print $7 }' "$3" |
  tail -n "$2" | tr -d '" \r'; }

# One run: $1 clicks, then the kill.
passe() {
  local clics=$1
  rm -rf "$recup"
  cp "$dossier/carte.avant" "$dossier/carte.trl"
  "$exe" "$dossier/carte.trl" >/dev/null 2>&1 & premier=$!; pids+=($premier)
  attend 30 fenetre "carte_exemple.jpg" || echec "la carte ne s'ouvre pas"
  sleep 2
  xdotool mousemove 150 200 click 1
  sleep 0.5
  for i in $(seq 0 $((clics - 1))); do
    [ "$i" -eq 0 ] || sleep 0.2
    xdotool mousemove $((200 + 10 * i)) $((250 + (i % 7) * 40)) click 1
  done
  # A random moment before the next click would come, once the X server has passed the last.
  sleep "$(printf '0.%03d' $((20 + RANDOM % 180)))"
  kill -9 "$premier"
  wait "$premier" 2>/dev/null || true
  un_fichier || echec "aucun fichier de récupération après $clics points"
  mort=$(fichiers_recup)

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
  n=$(sed -n 6p "$dossier/corps_repris" | tr -d '\r')
  [ "$n" -eq $((points_avant + clics)) ] ||
    echec "$n points repris après $clics clics, pas $((points_avant + clics))"
  x_derniers "$n" "$clics" "$dossier/corps_repris" | sort -n -c -u 2>/dev/null ||
    echec "les points repris ne sont pas dans l'ordre des clics"
  grep -q "^projet=$dossier/carte.trl"$'\r'"$" "$(fichiers_recup)" || echec "le projet d'origine est oublié"
  cmp "$dossier/carte.avant" "$dossier/carte.trl" || echec "le fichier du projet a changé"
  fenetre "carte_exemple.jpg" || echec "la carte récupérée n'est pas affichée"
  kill -9 "$second"
  wait "$second" 2>/dev/null || true
}

for passe_n in $(seq 1 "$passes"); do
  clics=$((1 + RANDOM % 60))
  passe "$clics"
  echo "passe $passe_n : $clics clics, tué par SIGKILL, $clics points repris"
done
echo "récupération : $passes passes, chaque clic d'avant l'arrêt rendu par Oui ; projet intact"

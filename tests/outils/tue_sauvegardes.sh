#!/usr/bin/env bash
# Kills the saver with SIGKILL at a random moment of each of N saves of a 100 000-point
# project (200 by default) and checks that the project file is always the complete old one
# or the complete new one, and that opening it takes the system saved with it or says that
# it cannot.
# Usage: tue_sauvegardes.sh <sauvegardes_tuees executable> [N]
set -euo pipefail
outil=$(readlink -f "$1")
n=${2:-200}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier"

"$outil" genere projet.trl
# How long one save lasts, so the kills fall over all of it (and a little after).
duree=0
for k in 1 2 3; do
  d=$("$outil" sauve projet.trl mesure.trl "$k" | awk '/^fini/ { print $2 }')
  [ "$d" -gt "$duree" ] && duree=$d
done
cp projet.trl ancien.trl
systeme_ancien="systeme 0"

anciens=0 nouveaux=0 abimes=0 restes=0 avertis=0 desaccords=0
for i in $(seq 1 "$n"); do
  "$outil" sauve projet.trl nouveau.trl "$i" >/dev/null # the complete new file
  coproc SAUVE { exec "$outil" sauve projet.trl projet.trl "$i"; }
  pid=$SAUVE_PID
  read -r pret <&"${SAUVE[0]}"
  [ "$pret" = pret ] || { echo "le sauveur n'a pas démarré" >&2; exit 1; }
  sleep "$(awk -v d="$duree" -v r=$((RANDOM % 1000)) 'BEGIN { printf "%.6f", d * 1.2 * r / 1000 / 1e6 }')"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  systeme_nouveau="systeme $i"
  [ $((i % 5)) -eq 0 ] && systeme_nouveau=""
  if cmp -s projet.trl ancien.trl; then
    anciens=$((anciens + 1))
  elif cmp -s projet.trl nouveau.trl; then
    nouveaux=$((nouveaux + 1))
    cp nouveau.trl ancien.trl
    systeme_ancien=$systeme_nouveau
  else
    abimes=$((abimes + 1))
    cp projet.trl "abime-$i.trl"
    cp ancien.trl projet.trl
  fi
  [ -e projet.trl.~enr ] && restes=$((restes + 1))
  reponse=$("$outil" paire projet.trl)
  case "$reponse" in
    "accord $systeme_ancien" | "inconnu $systeme_ancien") ;;
    avertissement*) avertis=$((avertis + 1)) ;;
    *) desaccords=$((desaccords + 1))
       echo "sauvegarde $i : « $reponse » pour un projet enregistré avec « $systeme_ancien »" >&2 ;;
  esac
done

octets=$(stat -c %s projet.trl)
echo "$n sauvegardes de 100 000 points ($octets octets, $((duree / 1000)) ms chacune) tuées par SIGKILL :" \
     "$anciens fois l'ancien fichier complet, $nouveaux fois le nouveau complet, $abimes fichier(s) abîmé(s)" \
     "($restes fois un fichier temporaire .~enr laissé à côté) ;" \
     "système : $desaccords fois un autre que le sien ouvert sans avertissement, $avertis avertissement(s)"
[ "$abimes" -eq 0 ] && [ "$desaccords" -eq 0 ]

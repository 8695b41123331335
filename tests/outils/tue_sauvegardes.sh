#!/usr/bin/env bash
# Kills the saver with SIGKILL at a random moment of each of N saves of a 100 000-point
# project (200 by default) and checks that the project file is always the complete old one
# or the complete new one.
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

anciens=0 nouveaux=0 abimes=0 restes=0
for i in $(seq 1 "$n"); do
  "$outil" sauve projet.trl nouveau.trl "$i" >/dev/null # the complete new file
  coproc SAUVE { exec "$outil" sauve projet.trl projet.trl "$i"; }
  pid=$SAUVE_PID
  read -r pret <&"${SAUVE[0]}"
  [ "$pret" = pret ] || { echo "le sauveur n'a pas démarré" >&2; exit 1; }
  sleep "$(awk -v d="$duree" -v r=$((RANDOM % 1000)) 'BEGIN { printf "%.6f", d * 1.2 * r / 1000 / 1e6 }')"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if cmp -s projet.trl ancien.trl; then
    anciens=$((anciens + 1))
  elif cmp -s projet.trl nouveau.trl; then
    nouveaux=$((nouveaux + 1))
    cp nouveau.trl ancien.trl
  else
    abimes=$((abimes + 1))
    cp projet.trl "abime-$i.trl"
    cp ancien.trl projet.trl
  fi
  [ -e projet.trl.~enr ] && restes=$((restes + 1))
done

octets=$(stat -c %s projet.trl)
echo "$n sauvegardes de 100 000 points ($octets octets, $((duree / 1000)) ms chacune) tuées par SIGKILL :" \
     "$anciens fois l'ancien fichier complet, $nouveaux fois le nouveau complet, $abimes fichier(s) abîmé(s)" \
     "($restes fois un fichier temporaire .~enr laissé à côté)"
[ "$abimes" -eq 0 ]

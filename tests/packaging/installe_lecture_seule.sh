#!/usr/bin/env bash
# The installed program run from a read-only prefix by a user who cannot write there: started
# offscreen on the installed sample project, it keeps running, reads its help text and finds
# the project's map in share/vuviviva, and keeps its settings under $XDG_CONFIG_HOME/vuviviva.
# chmod does not stop root: as root the program runs as "nobody" (setpriv), and the script
# first checks that the prefix really refuses that user. Then the same prefix made writable,
# run by its owner: the installed program still leaves its folders alone.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
chmod 755 "$tmp" # "nobody" goes through it
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
prefix=$tmp/prefixe
cmake --install "$build" --prefix "$prefix" >/dev/null
exemples=$prefix/share/vuviviva/exemples
chmod -R a-w "$prefix"

maison=$tmp/maison
mkdir -p "$maison/config" "$maison/run"
chmod 700 "$maison/run"
comme=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$maison"
  comme=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
if "${comme[@]}" touch "$prefix/bin/essai" 2>/dev/null; then
  echo "le préfixe accepte les fichiers de l'utilisateur du programme : l'essai ne prouverait rien"
  exit 1
fi

echec() {
  echo "$1"
  echo "--- sortie du programme"; cat "$2.sortie" || true
  echo "--- fin de la trace"; tail -n 40 "$2" || true
  exit 1
}

# Starts the installed program on the sample project with the given config folder, through
# the given command prefix; checks it while it runs, then stops it.
essai() {
  local config=$1; shift
  local trace=$tmp/trace.$(basename "$config")
  env -u VUVIVIVA_PROGRAM_DIR HOME="$maison" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$maison/run" \
    QT_QPA_PLATFORM=offscreen \
    strace -f -qq -e trace=openat,execve -o "$trace" "$@" "$prefix/bin/vuviviva" "$exemples/carte_exemple.trl" \
    >"$trace.sortie" 2>&1 &
  local strace_pid=$!
  # Reading the project writes the last folder: the program is up and the project read.
  local reglage=$config/vuviviva/~vuviviva.~i
  for _ in $(seq 1 120); do
    [ -f "$reglage" ] && break
    kill -0 "$strace_pid" 2>/dev/null || echec "le programme s'est arrêté au démarrage" "$trace"
    sleep 0.5
  done
  [ -f "$reglage" ] || echec "pas de réglage écrit dans $config/vuviviva" "$trace"
  sleep 1
  local programme
  programme=$(grep -E "execve\(\"$prefix/bin/vuviviva\".* = 0" "$trace" | tail -n 1 | cut -d' ' -f1)
  [ -n "$programme" ] && kill -0 "$programme" 2>/dev/null || echec "le programme ne tourne plus" "$trace"
  kill "$programme"
  wait "$strace_pid" || true

  [ "$(cat "$reglage")" = "$(printf '%s\r' "$exemples")" ] || echec "dernier dossier inattendu : $(cat -A "$reglage")" "$trace"
  grep -qE "\"$prefix/share/vuviviva/vuviviva.hep\", O_RDONLY[^)]*\) = [0-9]+" "$trace" ||
    echec "le texte d'aide n'a pas été lu dans share/vuviviva" "$trace"
  grep -qE "\"$exemples/carte_exemple.jpg\", O_RDONLY[^)]*\) = [0-9]+" "$trace" ||
    echec "la carte du projet d'exemple n'a pas été lue" "$trace"
  local ajoutes
  ajoutes=$(find "$prefix" -newer "$tmp/repere" -print)
  [ -z "$ajoutes" ] || echec "écrit dans le préfixe : $ajoutes" "$trace"
}

# Away from the sources, whose samples/ would answer for the map.
cd "$maison"
touch "$tmp/repere"
sleep 1 # -newer compares whole seconds on some file systems
essai "$maison/config" "${comme[@]}"
echo "lecture seule : réglages dans \$XDG_CONFIG_HOME/vuviviva, aide et carte trouvées"

chmod -R u+w "$prefix"
mkdir "$tmp/config-proprietaire"
essai "$tmp/config-proprietaire"
echo "préfixe inscriptible : rien n'y est écrit non plus"

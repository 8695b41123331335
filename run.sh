#!/usr/bin/env bash
# Builds the program in Release and starts it; an optional argument names a project (*.trl).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"

build="$here/build-release"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVUVIVIVA_TESTS=OFF -DVUVIVIVA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target vuviviva

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display found; starting under xvfb-run" >&2
  exec xvfb-run -a "$build/vuviviva" "$@"
fi
exec "$build/vuviviva" "$@"

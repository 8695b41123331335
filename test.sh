#!/usr/bin/env bash
# Builds everything and runs every test through CTest, windows offscreen.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export QTEST_FUNCTION_TIMEOUT=60000
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

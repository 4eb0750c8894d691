#!/usr/bin/env bash
# Configures and builds Orvane into ./build (or $ORVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ORVANE_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" "$@"

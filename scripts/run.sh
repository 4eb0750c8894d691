#!/usr/bin/env bash
# Installs what is missing, builds and starts Orvane.
# Without a display: QT_QPA_PLATFORM=offscreen ./scripts/run.sh, or xvfb-run ./scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh --target orvane
exec "${ORVANE_BUILD_DIR:-build}/bin/orvane" "$@"

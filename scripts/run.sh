#!/usr/bin/env bash
# Builds the project and runs its main job: the window when there is a display and it was
# built, otherwise a short usage of the command-line front end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build/app -DKORVEX_TESTS=OFF -DKORVEX_BENCH=OFF
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x build/app/src/ui/korvex ]]; then
  exec build/app/src/ui/korvex
fi
exec build/app/src/cli/korvex-cli --help

#!/usr/bin/env bash
# Builds the Debian package korvex_<version>_amd64.deb from a release build, into build/package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build/package -DCMAKE_BUILD_TYPE=Release -DKORVEX_TESTS=OFF -DKORVEX_BENCH=OFF
(cd build/package && cpack -G DEB >/dev/null)
ls build/package/korvex_*.deb

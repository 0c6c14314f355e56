#!/usr/bin/env bash
# Configures and builds one flavour of the project: build.sh DIR [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
# The compiler cache lives in the home folder, or in /tmp where there is none.
export CCACHE_DIR=${CCACHE_DIR:-${HOME:-/tmp}/.cache/ccache}
dir=$1
shift
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"

#!/usr/bin/env bash
# Builds what it needs, starts the window under Xvfb against a small generated site on
# loopback, runs a short scan through the window and saves a picture of each tab, of the Details
# grid filtered and of the About box, and the Search Results tab at a scale factor of 2
# (scaled.png): scripts/screenshots.sh [DIR]   (default build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath -m "${1:-build/screenshots}")
scripts/build.sh build/release -DKORVEX_WERROR=ON -DKORVEX_TESTS=ON -DKORVEX_BENCH=ON >/dev/null
tmp=$(mktemp -d)
build/release/bench/site_server 300 0 "$tmp/arrivals" >"$tmp/port" &
server=$!
trap 'kill -TERM $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$tmp"' EXIT
while [[ ! -s $tmp/port ]]; do sleep 0.05; done
XDG_STATE_HOME="$tmp/state" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  build/release/tools/screenshot_tour "$dir" "http://127.0.0.1:$(cat "$tmp/port")/"
XDG_STATE_HOME="$tmp/state" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
  xvfb-run -a -s "-screen 0 2560x1600x24" \
  build/release/tools/screenshot_tour "$dir" "http://127.0.0.1:$(cat "$tmp/port")/" scaled
ls "$dir"

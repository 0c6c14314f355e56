#!/usr/bin/env bash
# The window against korvex-cli on the same generated loopback site (11,111 pages, depth 4,
# 10 workers, unless told otherwise), in one run:
#   bench/window_bench.sh [BUILD_DIR [PAGES DEPTH]]   (default build/release 11111 4)
# Writes bench/results/window-DATE.md with the command, the machine and the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
pages=${2:-11111}
depth=${3:-4}
tmp=$(mktemp -d)
# Journals go to a folder of the benchmark's own.
export XDG_STATE_HOME=$tmp/state
"$build/bench/site_server" "$pages" 0 "$tmp/arrivals" >"$tmp/port" &
server=$!
trap 'kill -TERM $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$tmp"' EXIT
while [[ ! -s $tmp/port ]]; do sleep 0.05; done
mkdir -p bench/results
out=bench/results/window-$(date +%F-%H%M).md
{
  echo "# Window benchmark, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/window_bench.sh $build $pages $depth\`; $(nproc) cores; $(uname -srm)."
  echo "One run: korvex-cli, then the window (offscreen), 10 workers, depth $depth, against"
  echo "bench/site_server ($pages pages, no delay) on 127.0.0.1."
  echo
  "$build/bench/window_bench" "http://127.0.0.1:$(cat "$tmp/port")/" "$build/src/cli/korvex-cli" "$depth"
} | tee "$out"

#!/usr/bin/env bash
# The window against korvex-cli on the same generated loopback site (11,111 pages, depth 4,
# 10 workers), in one run: bench/window_bench.sh [BUILD_DIR]   (default build/release)
# Writes bench/results/window-DATE.md with the command, the machine and the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
tmp=$(mktemp -d)
# Journals go to a folder of the benchmark's own.
export XDG_STATE_HOME=$tmp/state
"$build/bench/site_server" 11111 0 "$tmp/arrivals" >"$tmp/port" &
server=$!
trap 'kill -TERM $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$tmp"' EXIT
while [[ ! -s $tmp/port ]]; do sleep 0.05; done
mkdir -p bench/results
out=bench/results/window-$(date +%F-%H%M).md
{
  echo "# Window benchmark, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/window_bench.sh $build\`; $(nproc) cores; $(uname -srm)."
  echo "One run: korvex-cli, then the window (offscreen), 10 workers, depth 4, against"
  echo "bench/site_server (11,111 pages, no delay) on 127.0.0.1."
  echo
  "$build/bench/window_bench" "http://127.0.0.1:$(cat "$tmp/port")/" "$build/src/cli/korvex-cli" 4
} | tee "$out"

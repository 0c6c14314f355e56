#!/usr/bin/env bash
# Hostile pages of 16 MiB against korvex-cli, next to a plain page of the same size, in one run:
# bench/hostile_bench.sh [BUILD_DIR]   (default build/release). Writes bench/results/hostile-*.md.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
mkdir -p bench/results
out=bench/results/hostile-$(date +%F-%H%M).md
{
  echo "# Hostile pages, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/hostile_bench.sh $build\`; $(nproc) cores; $(uname -srm)."
  echo "korvex-cli page (page cases), scan at depth 1 with 1,000 --page-must keywords (keyword"
  echo "case), scan --keywords against a local engine (result-page cases); 16 MiB each, served on"
  echo "127.0.0.1. Rate: page bytes over the wall time of the whole command; peak: its max RSS."
  echo
  "$build/bench/hostile_bench" "$build/src/cli/korvex-cli" 16
} | tee "$out"

#!/usr/bin/env bash
# The domain check in one run: bench/dns_bench.sh [BUILD_DIR]   (default build/release)
# 1. 10,000 distinct domains asked of a loopback DNS server: time, queries per second, peak memory.
# 2. 11,111 pages of bench/site_server at 20 ms per response, 10 workers, depth 4: pages per
#    second with --check-domains (answered by the loopback server) against without it.
# Writes bench/results/dns-DATE.md.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cli=$build/src/cli/korvex-cli
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; exec 3>&- || true' EXIT
export XDG_STATE_HOME=$tmp/state
mkdir -p bench/results
out=bench/results/dns-$(date +%F-%H%M).md

crawl() {  # FLAGS... -> prints pages per second
  "$build/bench/site_server" 11111 20 "$tmp/requests" >"$tmp/port" &
  local spid=$!
  while [[ ! -s $tmp/port ]]; do sleep 0.05; done
  local start end
  start=$(date +%s.%N)
  "$cli" scan --url "http://127.0.0.1:$(cat "$tmp/port")/" --depth 4 --threads 10 \
    --max-pages 100000 --quiet --no-journal --format json "$@" >"$tmp/result.json"
  end=$(date +%s.%N)
  kill -TERM "$spid"
  wait "$spid" || true
  rm -f "$tmp/port"
  python3 -c 'import json,sys; n=json.load(open(sys.argv[1]))["counters"]["processed"]; print(f"{n / (float(sys.argv[3]) - float(sys.argv[2])):.0f}")' \
    "$tmp/result.json" "$start" "$end"
}

{
  echo "# Domain checks, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/dns_bench.sh $build\`; $(nproc) cores; $(uname -srm)."
  echo
  "$build/bench/dns_bench" domains 10000
  echo
  coproc DNS { "$build/bench/dns_bench" serve; }
  read -r server <&"${DNS[0]}"
  off=$(crawl)
  on=$(crawl --check-domains --dns-server "$server")
  exec {DNS[1]}>&-
  echo "| crawl, 20 ms per response | pages/s |"
  echo "|---|---|"
  echo "| without --check-domains | $off |"
  echo "| with --check-domains | $on |"
  echo "| ratio | $(echo "scale=3; $on / $off" | bc -l) |"
} | tee "$out"

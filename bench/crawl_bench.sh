#!/usr/bin/env bash
# Crawl benchmarks against a generated site on loopback, with korvex-cli and 10 workers.
#   bench/crawl_bench.sh [BUILD_DIR]      (default build/release; build it first)
# 1. 11,111 pages, 20 ms per response: pages per second against the ceiling 10 / 20 ms = 500.
# 2. 11,111 pages, no delay: CPU seconds of korvex-cli per 1,000 pages.
# 3. 100,000 pages, no delay: time per page over the last 10% of requests against the first 10%.
# Writes bench/results/crawl-DATE.md with the command, the machine and the raw figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cli=$build/src/cli/korvex-cli
server=$build/bench/site_server
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p bench/results
out=bench/results/crawl-$(date +%F).md

# crawl PAGES DELAY_MS DEPTH -> sets elapsed, cpu, processed, and leaves the arrival log
crawl() {
  local pages=$1 delay=$2 depth=$3
  "$server" "$pages" "$delay" "$tmp/arrivals" >"$tmp/port" &
  local spid=$!
  while [[ ! -s $tmp/port ]]; do sleep 0.05; done
  local port
  port=$(cat "$tmp/port")
  /usr/bin/time -f "%e %U %S" -o "$tmp/time" "$cli" scan --url "http://127.0.0.1:$port/" \
    --depth "$depth" --threads 10 --max-pages 100000 --quiet --format json >"$tmp/result.json"
  kill -TERM "$spid"
  wait "$spid" || true
  read -r elapsed user sys <"$tmp/time"
  cpu=$(echo "$user + $sys" | bc -l)
  processed=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["counters"]["processed"])' "$tmp/result.json")
  : >"$tmp/port"
}

{
  echo "# Crawl benchmark, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/crawl_bench.sh $build\`; $(nproc) cores; $(uname -srm)."
  echo "korvex-cli with 10 workers against bench/site_server on 127.0.0.1 (same machine)."
  echo
} >"$out"

crawl 11111 20 4
rate=$(echo "$processed / $elapsed" | bc -l)
printf -- "- 20 ms per response: %d pages in %.2f s = %.1f pages/s (ceiling 500; %.0f%% of it)\n" \
  "$processed" "$elapsed" "$rate" "$(echo "$rate / 5" | bc -l)" | tee -a "$out"

crawl 11111 0 4
printf -- "- no delay: %d pages in %.2f s, korvex-cli CPU %.2f s = %.3f CPU s per 1,000 pages\n" \
  "$processed" "$elapsed" "$cpu" "$(echo "$cpu * 1000 / $processed" | bc -l)" | tee -a "$out"

crawl 100000 0 5
python3 - "$tmp/arrivals" "$processed" "$elapsed" "$cpu" <<'PY' | tee -a "$out"
import sys
t = sorted(float(x) for x in open(sys.argv[1]))
n = len(t); k = n // 10
first = (t[k] - t[0]) / k
last = (t[-1] - t[n - k - 1]) / k
print(f"- 100,000 pages, no delay: {sys.argv[2]} pages in {float(sys.argv[3]):.1f} s "
      f"(CPU {float(sys.argv[4]):.1f} s); {n} requests; time per page, first 10%: "
      f"{first*1e3:.3f} ms, last 10%: {last*1e3:.3f} ms, last/first = {last/first:.2f}")
PY

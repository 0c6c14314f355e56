#!/usr/bin/env bash
# Crawl benchmarks against the generated site of bench/site_server on loopback, with korvex-cli
# and 10 workers: bench/crawl_bench.sh [BUILD_DIR] [BASELINE_CLI]   (default build/release)
# 1. 3,900 pages (7,800 page URLs with their query variants), depth 5, in the site's classic form
#    and in today's form (site_server's FORM "today"): URLs handed out per distinct page of the
#    site read (goal 1.00 on both), answers of the catch-all route (URLs no page links as a
#    browser resolves them), pages per second, CPU per 1,000 pages and peak memory, next to
#    BASELINE_CLI (another build of korvex-cli) when one is given, in the same run. The "docs"
#    form adds what documentation generators write (escaped markup in scripts, templates,
#    self-closing tags, code samples). Precision: requests per 1,000 that answer 404, and
#    requests of URLs that no page links as a browser or its scripts would follow (404 and
#    catch-all answers); the goal is 0 on every form.
# 2. 11,111 pages, 20 ms per response: pages per second against the ceiling 10 / 20 ms = 500.
# 3. 100,000 pages, no delay, depth 5 (up to the page limit): time per request over the last 10% against the first 10%.
# 4. The journal: parts 1 (classic form) and 2 without it, beside the runs above with it: CPU
#    per page, pages per second and peak memory, and the journal's size per 10,000 pages.
# Writes bench/results/crawl-DATE.md with the command, the machine and the raw figures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
baseline=${2:-}
cli=$build/src/cli/korvex-cli
server=$build/bench/site_server
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Journals go to a folder of the benchmark's own.
export XDG_STATE_HOME=$tmp/state
mkdir -p bench/results
out=bench/results/crawl-$(date +%F-%H%M).md

# crawl CLI PAGES DELAY_MS DEPTH [FORM] [FLAG] -> sets elapsed, cpu, peak (KiB), processed,
# distinct, requests, catchall, notfound, journal (bytes)
crawl() {
  local binary=$1 pages=$2 delay=$3 depth=$4 form=${5:-} flag=${6:-}
  rm -rf "$XDG_STATE_HOME"
  "$server" "$pages" "$delay" "$tmp/requests" $form >"$tmp/port" &
  local spid=$!
  while [[ ! -s $tmp/port ]]; do sleep 0.05; done
  /usr/bin/time -f "%e %U %S %M" -o "$tmp/time" "$binary" scan \
    --url "http://127.0.0.1:$(cat "$tmp/port")/" --depth "$depth" --threads 10 \
    --max-pages 100000 --quiet --format json $flag >"$tmp/result.json"
  kill -TERM "$spid"
  wait "$spid" || true
  read -r elapsed user sys peak <"$tmp/time"
  cpu=$(echo "$user + $sys" | bc -l)
  processed=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["counters"]["processed"])' "$tmp/result.json")
  requests=$(wc -l <"$tmp/requests")
  distinct=$(awk '$2 == 200 { print $3 }' "$tmp/requests" | sort -u | wc -l)
  catchall=$(awk '$2 == "catchall" && $3 != "/robots.txt"' "$tmp/requests" | wc -l)
  notfound=$(awk '$2 == "404" && $3 != "/robots.txt"' "$tmp/requests" | wc -l)
  journal=$({ find "$XDG_STATE_HOME" -name '*.journal' -printf '%s\n' 2>/dev/null || true; } |
    awk '{ n += $1 } END { print n + 0 }')
  : >"$tmp/port"
}

report() {
  printf -- "- %s: %d URLs handed out for %d distinct pages of the site (%.2f per page), %d requests, %d catch-all answers, %d answered 404 (%.1f per 1,000 requests), %d of URLs no page links; %.2f s = %.0f pages/s; CPU %.2f s = %.3f s per 1,000 pages; peak memory %.1f MiB\n" \
    "$1" "$processed" "$distinct" "$(echo "$processed / $distinct" | bc -l)" "$requests" "$catchall" \
    "$notfound" "$(echo "$notfound * 1000 / $requests" | bc -l)" "$((notfound + catchall))" "$elapsed" \
    "$(echo "$processed / $elapsed" | bc -l)" "$cpu" "$(echo "$cpu * 1000 / $processed" | bc -l)" \
    "$(echo "$peak / 1024" | bc -l)" | tee -a "$out"
}

{
  echo "# Crawl benchmark, $(date -u +%FT%TZ)"
  echo
  echo "Command: \`bench/crawl_bench.sh $*\`; $(nproc) cores; $(uname -srm)."
  echo "korvex-cli with 10 workers against bench/site_server on 127.0.0.1 (same machine)."
  echo
} >"$out"

for form in classic today docs; do
  crawl "$cli" 3900 0 5 "$form"
  report "this build, 3,900-page site in its $form form, depth 5"
  if [[ $form == classic ]]; then
    journal_cpu=$cpu journal_peak=$peak journal_rate=$(echo "$processed / $elapsed" | bc -l)
    journal_size=$(echo "$journal * 10000 / $processed / 1024" | bc -l)
    crawl "$cli" 3900 0 5 "$form" --no-journal
    report "this build without its journal, same site"
    printf -- "- journal: CPU per page %.2f times without it, peak memory %+.1f MiB, pages/s %.2f times; %.0f KiB per 10,000 pages\n" \
      "$(echo "$journal_cpu / $cpu" | bc -l)" "$(echo "($journal_peak - $peak) / 1024" | bc -l)" \
      "$(echo "$journal_rate / ($processed / $elapsed)" | bc -l)" "$journal_size" | tee -a "$out"
  fi
  if [[ -n $baseline ]]; then
    crawl "$baseline" 3900 0 5 "$form"
    report "baseline $baseline, same site"
  fi
done

for flag in "" --no-journal; do
  crawl "$cli" 11111 20 4 "" $flag
  printf -- "- 20 ms per response%s: %d pages in %.2f s = %.1f pages/s (ceiling 500; %.0f%% of it)\n" \
    "${flag:+ ($flag)}" "$processed" "$elapsed" "$(echo "$processed / $elapsed" | bc -l)" \
    "$(echo "$processed / $elapsed / 5" | bc -l)" | tee -a "$out"
done

crawl "$cli" 100000 0 5
python3 - "$tmp/requests" "$processed" "$elapsed" "$cpu" <<'PY' | tee -a "$out"
import sys
t = sorted(float(line.split()[0]) for line in open(sys.argv[1]))
n = len(t); k = n // 10
first = (t[k] - t[0]) / k
last = (t[-1] - t[n - k - 1]) / k
print(f"- 100,000 pages, no delay: {sys.argv[2]} pages in {float(sys.argv[3]):.1f} s "
      f"(CPU {float(sys.argv[4]):.1f} s); {n} requests; time per request, first 10%: "
      f"{first*1e3:.3f} ms, last 10%: {last*1e3:.3f} ms, last/first = {last/first:.2f}")
PY

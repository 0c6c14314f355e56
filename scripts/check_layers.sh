#!/usr/bin/env bash
# Fails when an include in src/ runs upward through the layers:
#   1 base      shared types and interfaces
#   2 page      the page engine
#   3 crawl     workers, dispatcher, collector, keyword harvesting
#   4 settings  the settings table, its checks and the window's names of its controls
#   5 session   a scan's input, the scan and the session that runs it on its own thread
#   5 output    the result formats and saving them
#   6 journal   every scan's journal
#   7 window    the window's controller, without Qt
#   8 docreader the document reader, a program of its own that the page engine runs
#   8 cli, ui   the front ends: they include neither the page engine nor the crawl (but for the
#               scan's typed results, which the window's views show), and the command line not
#               the window's controller
# A folder may include itself and any lower layer, never a folder of its own rank.
set -euo pipefail
cd "$(dirname "$0")/../${1:-src}"

rank() {
  case $1 in
    base) echo 1 ;; page) echo 2 ;; crawl) echo 3 ;; settings) echo 4 ;;
    session | output) echo 5 ;; journal) echo 6 ;; window) echo 7 ;; cli | ui | docreader) echo 8 ;;
    *) echo 0 ;;
  esac
}

status=0
while IFS=: read -r file line text; do
  from=${file%%/*}
  to=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$text")
  [[ $to == "$from" ]] && continue
  from_rank=$(rank "$from")
  to_rank=$(rank "$to")
  allowed=1
  if ((from_rank == 0 || to_rank == 0 || to_rank >= from_rank)); then allowed=0; fi
  if ((from_rank == 8)) && [[ $to == page || ($to == crawl && $text != *'"crawl/scan_results.h"'*) ]]; then
    allowed=0
  fi
  if [[ $from == cli && $to == window ]]; then allowed=0; fi
  if ((!allowed)); then
    echo "layer violation: src/$file:$line includes $to/ from $from/" >&2
    status=1
  fi
done < <(grep -rnE '^#include "[^/"]+/' --include='*.h' --include='*.cpp' . | sed 's#^\./##')
exit $status

#!/usr/bin/env bash
# Fails when an include in src/ runs upward through the layers:
#   1 base     shared state and interfaces
#   2 page     the page engine
#   3 crawl    workers, dispatcher, collector, keyword harvesting
#   4 control  the scan's controller and what both front ends share
#   5 cli, ui  the front ends, which see only control/ and base/
# A folder may include itself and any lower layer; the front ends never include each other.
set -euo pipefail
cd "$(dirname "$0")/../${1:-src}"

rank() {
  case $1 in
    base) echo 1 ;; page) echo 2 ;; crawl) echo 3 ;; control) echo 4 ;; cli | ui) echo 5 ;;
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
  if ((from_rank == 5)) && [[ $to != control && $to != base ]]; then allowed=0; fi
  if ((!allowed)); then
    echo "layer violation: src/$file:$line includes $to/ from $from/" >&2
    status=1
  fi
done < <(grep -rnE '^#include "[^/"]+/' --include='*.h' --include='*.cpp' . | sed 's#^\./##')
exit $status

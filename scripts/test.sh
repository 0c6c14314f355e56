#!/usr/bin/env bash
# Builds and runs every test: a normal build, then an AddressSanitizer + UndefinedBehavior-
# Sanitizer build, then the crawl, keyword and journal tests under ThreadSanitizer. Warnings are errors throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== format check"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

echo "== layer check"
scripts/check_layers.sh

echo "== normal build"
scripts/build.sh build/release -DKORVEX_WERROR=ON -DKORVEX_TESTS=ON -DKORVEX_BENCH=ON
ctest --no-tests=error --test-dir build/release --output-on-failure -j "$jobs"

echo "== address + undefined behaviour sanitizers"
scripts/build.sh build/asan -DKORVEX_WERROR=ON -DKORVEX_SANITIZE=address,undefined -DKORVEX_TESTS=ON -DKORVEX_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --no-tests=error --test-dir build/asan --output-on-failure -j "$jobs"

echo "== thread sanitizer: the crawl and the journal"
scripts/build.sh build/tsan -DKORVEX_WERROR=ON -DKORVEX_SANITIZE=thread -DKORVEX_TESTS=ON -DKORVEX_BENCH=OFF -DKORVEX_UI=OFF
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --no-tests=error --test-dir build/tsan --output-on-failure -j "$jobs" -R 'crawl_tests|journal_tests|window_tests'

echo "== size of the test suite"
# find, not git: the test command also runs where git is not installed.
lines() { find "$@" -name '*.cpp' -o -name '*.h' | xargs grep -cv '^[[:space:]]*$' | awk -F: '{n += $2} END {print n}'; }
src=$(lines src)
tests=$(lines tests)
echo "tests: $tests non-blank lines of C++ for $src in src ($(( 100 * tests / src ))%)"

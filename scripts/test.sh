#!/usr/bin/env bash
# Runs every test: the host suites under the address and undefined-behaviour sanitizers, then
# the full suite (host and Octave) on the regular build. The last line sums both runs.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
total_pass=0
total_fail=0
status=0

run_ctest() {  # build-folder label
  local log
  log=$(mktemp)
  (cd "$1" && ctest --output-on-failure -j"$jobs") 2>&1 | tee "$log"
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    echo "$2: no test summary" >&2
    status=1
  else
    local failed all
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    all=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    total_fail=$((total_fail + failed))
    total_pass=$((total_pass + all - failed))
    [ "$failed" -eq 0 ] || status=1
  fi
  rm -f "$log"
}

cmake -S . -B build-asan -DTOOLBOX_SANITIZE=ON -DTOOLBOX_OCTAVE=OFF -DTOOLBOX_BENCH=OFF > /dev/null || exit 1
cmake --build build-asan -j"$jobs" > build-asan/build.log 2>&1 || { tail -50 build-asan/build.log; exit 1; }
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build-asan "sanitized host suite"

cmake -S . -B build > /dev/null || exit 1
cmake --build build -j"$jobs" > build/build.log 2>&1 || { tail -50 build/build.log; exit 1; }
run_ctest build "full suite"

echo "all suites: $total_pass passed, $total_fail failed"
exit $status

#!/usr/bin/env bash
# Cross-builds the core, the Windows backend and their tests for 64-bit Windows with
# mingw-w64 and runs them under Wine: the core tests as console programs, then the backend's
# end-to-end tests against Wine's notepad on a virtual display (Xvfb). Installs what is
# missing from Debian (scripts/install-deps.sh windows).
# Quiet: prints the steps, their times and the test summaries; the full output of a step
# only when it fails. Exits non-zero when the build or a test fails.
#
#   scripts/test-windows.sh [build folder]     (default: build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
build=${1:-build-win}
log=$(mktemp)
. scripts/windows-env.sh
trap 'rm -f "$log"; wine_stop' EXIT

scripts/install-deps.sh windows

# Runs a step with its output in the log; prints the log and fails when the step fails.
step() {
  local what=$1 started=$SECONDS
  shift
  if ! "$@" >"$log" 2>&1; then
    echo "== $what failed:"
    tail -n 60 "$log"
    exit 1
  fi
  echo "== $what: $((SECONDS - started)) s"
}

# Runs a GoogleTest program of the build under Wine and prints its counts, and why each
# skipped test was skipped; prints its whole output when it fails.
run_tests() {
  local what=$1 folder=$2 program=$3 started=$SECONDS status=0
  (cd "$folder" && timeout 600 "$wine" "$program" --gtest_brief=1) 2>&1 | tr -d '\r' >"$log" || status=$?
  echo "== $what under Wine: $((SECONDS - started)) s"
  if [ $status -ne 0 ] || ! grep -q '^\[  PASSED  \]' "$log"; then
    cat "$log"
    echo "== $what under Wine failed (status $status)"
    exit 1
  fi
  grep -E '^\[(==========|  PASSED  |  SKIPPED )\]' "$log"
  grep -A1 ': Skipped$' "$log" | grep -vE ': Skipped$|^--$' | sort | uniq -c || true
}

step "cross-build (mingw-w64)" windows_build "$src" "$build" \
  orvanel_core_tests orvanel_win32_tests orvanel_insert_driver orvanel_data
step "Wine configuration" wine_setup "$build"
run_tests "core tests" "$build/tests" ./orvanel_core_tests.exe
step "virtual display" wine_display
run_tests "backend tests against notepad" "$build" ./orvanel_win32_tests.exe

#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with mingw-w64 and runs the core
# tests under Wine. Installs what is missing from Debian (scripts/install-deps.sh windows).
# Quiet: prints the steps, their times and the test summary; the full output of a step
# only when it fails. Exits non-zero when the build or a test fails.
#
#   scripts/test-windows.sh [build folder]     (default: build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
build=${1:-build-win}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

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

step "cross-build (mingw-w64)" bash -c '
  timeout 1800 cmake -S "$0" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$0/cmake/mingw-w64-x86_64.cmake" -DORVANEL_CORE_ONLY=ON &&
  timeout 1800 cmake --build "$1" -j "$(nproc)"' "$src" "$build"

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# A Wine configuration of its own in the build folder, never the user's; no display and no
# offers to install Mono or Gecko: the core tests are console programs.
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'rm -f "$log"; "$wineserver" -k 2>/dev/null || true' EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  step "Wine configuration" timeout 300 "$wine" cmd /c exit
fi

started=$SECONDS
status=0
(cd "$build/tests" && timeout 600 "$wine" ./orvanel_core_tests.exe --gtest_brief=1) 2>&1 |
  tr -d '\r' >"$log" || status=$?
echo "== core tests under Wine: $((SECONDS - started)) s"
if [ $status -ne 0 ] || ! grep -q '^\[  PASSED  \]' "$log"; then
  cat "$log"
  echo "== core tests under Wine failed (status $status)"
  exit 1
fi
# The counts, and why each skipped test was skipped.
grep -E '^\[(==========|  PASSED  |  SKIPPED )\]' "$log"
grep -A1 ': Skipped$' "$log" | grep -vE ': Skipped$|^--$' | sort | uniq -c || true

#!/usr/bin/env bash
# Installs what is missing, builds Orvanel and runs every test: core unit tests (also in a
# second tree under AddressSanitizer and UndefinedBehaviorSanitizer), platform and widget
# tests, tests that start the real executable, end-to-end tests under Xvfb, and a short run
# of the link scanner's libFuzzer harness (built with clang).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANEL_CORE_ONLY=ON -DORVANEL_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"

status=0
echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure) || status=1
echo "== all tests"
(cd build && ctest --output-on-failure) || status=1

echo "== link scanner under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer (30 s)"
if command -v clang++ >/dev/null; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANEL_FUZZ=ON -DORVANEL_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs"
  mkdir -p build-fuzz/corpus
  if build-fuzz/tests/fuzz/link_scanner_fuzzer -max_total_time=30 -print_final_stats=1 \
       build-fuzz/corpus tests/fuzz/seeds 2>build-fuzz/fuzz.log; then
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|DONE' build-fuzz/fuzz.log
  else
    tail -60 build-fuzz/fuzz.log
    status=1
  fi
else
  echo "clang++ is not installed: the fuzzing run is skipped"
fi
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds Orvanel and runs every test: core unit tests (also in a
# second tree under AddressSanitizer and UndefinedBehaviorSanitizer), platform and widget
# tests, tests that start the real executable, and end-to-end tests under Xvfb.
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
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds Orvanel and starts the palette. Without a display, the
# palette starts on a virtual one (Xvfb, with openbox) and the script says how to look at it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANEL_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)" --target orvanel

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:${ORVANEL_DISPLAY:-42}
  echo "No display: starting Xvfb on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root palette.png)"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
fi
build/orvanel "$@"

# Sourced by scripts/test-windows.sh and bench/insert-windows: the cross-build for 64-bit
# Windows with mingw-w64, and Wine with a configuration of its own in the build folder, never
# the user's, on a virtual display when a program needs one.
#
#   windows_build SOURCE BUILD TARGET...
#                                 configures (once) and builds the targets named, quietly
#   wine_setup BUILD              sets $wine and $wineserver, exports WINEPREFIX and the rest
#   wine_display                  starts Xvfb and exports DISPLAY (no window manager: Wine
#                                 activates its windows itself)
#   wine_stop                     ends Wine's processes and the display

windows_build() {
  local source=$1 build=$2
  shift 2
  if [ ! -f "$build/build.ninja" ]; then
    timeout 1800 cmake --preset mingw-cross -S "$source" -B "$build"
  fi
  timeout 1800 cmake --build "$build" -j "$(nproc)" --target "$@"
}

wine_setup() {
  wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  # No offers to install Mono or Gecko.
  export WINEPREFIX=$PWD/$1/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY WAYLAND_DISPLAY
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 "$wine" cmd /c exit
  fi
}

wine_display() {
  # Wine's processes started without a display end first: a display is bound at start.
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
  xvfb_pid=$!
  # Xvfb writes the number of the display it took once it accepts clients.
  local number=""
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "== Xvfb did not start"
    return 1
  fi
  export DISPLAY=:$number
}

wine_stop() {
  "$wineserver" -k 2>/dev/null || true
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

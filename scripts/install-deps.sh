#!/usr/bin/env bash
# Installs the Debian packages Orvanel needs to build, run and test.
# Usage: scripts/install-deps.sh [build|test|windows]   (default: build; windows: what the
# cross-build for Windows and its run under Wine need)
# Does nothing when every package is there already; works as root or through sudo.
set -euo pipefail

build_pkgs=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6
  libx11-dev libxtst-dev libxfixes-dev libxres-dev
  fonts-ipafont-gothic fonts-noto-cjk fonts-dejavu-core
  librsvg2-bin dpkg-dev
)
run_pkgs=(xvfb openbox x11-utils xdg-utils)
test_pkgs=(
  libgtest-dev libgmock-dev
  xvfb openbox x11-utils xdotool python3-xlib
  featherpad mousepad gnome-text-editor parcellite
  tidy at-spi2-core python3-pyatspi dbus-x11 python3
  imagemagick libxml2-utils librsvg2-bin desktop-file-utils
  python3-doc clang libclang-rt-14-dev
)

windows_pkgs=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest xvfb)

mode=${1:-build}
case "$mode" in
  windows) pkgs=("${windows_pkgs[@]}") ;;
  test) pkgs=("${build_pkgs[@]}" "${run_pkgs[@]}" "${test_pkgs[@]}") ;;
  *) pkgs=("${build_pkgs[@]}" "${run_pkgs[@]}") ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

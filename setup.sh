#!/usr/bin/env bash
# Sets Velloran up on Debian 12 (packages, build) and then runs it or its tests.
#   ./setup.sh run    set up, then start the editor in assets/
#   ./setup.sh test   set up, then run every test
#   ./setup.sh        set up only
set -euo pipefail

cd "$(dirname "$0")"
root=$(pwd)
build="$root/build"

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libtinyxml-dev libgtk-3-dev
  googletest libgtest-dev libbenchmark-dev
  python3 python3-xlib xvfb xdotool x11-utils imagemagick
)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build_editor() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j"$(nproc)"
}

install_packages
build_editor

case "${1:-}" in
  run)
    cd "$root/assets"
    exec "$build/velloran"
    ;;
  test)
    cd "$build"
    exec ctest --output-on-failure
    ;;
  "") ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

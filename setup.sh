#!/usr/bin/env bash
# Sets Velloran up on Debian 12 (packages, build) and then runs it or its tests.
#   ./setup.sh run             set up, then start the editor in assets/
#   ./setup.sh test            set up, then run every test: the plain build's, the same tests
#                              under AddressSanitizer and UndefinedBehaviorSanitizer, and a
#                              short run of every fuzz target
#   ./setup.sh fuzz [SECONDS]  set up, then fuzz each target for SECONDS (default 600)
#   ./setup.sh test-classic    build and test against the classic SDL 1.2 library in a
#                              throwaway Debian 12 chroot
#   ./setup.sh package         set up, then build the Debian package in build-package/
#   ./setup.sh bench [ARGS]    set up, then build the benchmarks (Release, in build-bench/),
#                              run them (ARGS go to the benchmark program, e.g.
#                              --benchmark_filter=Save), print the performance table, and
#                              time the map tool on a big map
#   ./setup.sh                 set up only
set -euo pipefail

cd "$(dirname "$0")"
root=$(pwd)
build="$root/build"

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libtinyxml-dev libgtk-3-dev
  googletest libgtest-dev libbenchmark-dev
  python3 python3-xlib xvfb xdotool x11-utils imagemagick
  clang libclang-rt-14-dev llvm gzip valgrind
  zlib1g-dev libxxhash-dev libpugixml-dev tiled
  desktop-file-utils shared-mime-info libxml2-utils dpkg-dev
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

# The sanitizers stop at the first report; leaks that system libraries keep until exit are
# listed, with the reason for each, in tests/sanitizers/leaks.supp.
sanitizer_environment() {
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/leaks.supp:print_suppressions=0"
  # SDL loads Mesa's software GL driver and unloads it again before the leak check, so what
  # the driver keeps can no longer be traced to it, nor suppressed by name. Loading it with
  # the editor keeps it in place (the sanitizer's runtime must come first).
  local mesa=/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so
  if [ -e "$mesa" ]; then
    export VELLORAN_EDITOR_PRELOAD="$(gcc -print-file-name=libasan.so) $mesa"
  fi
}

test_sanitized() {
  local folder="$root/build-sanitize"
  sanitizer_environment
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_SANITIZE=ON >/dev/null
  cmake --build "$folder" -j"$(nproc)"
  (cd "$folder" && ctest --output-on-failure)
}

build_fuzzers() {
  local folder="$root/build-fuzz"
  CC=clang CXX=clang++ cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELLORAN_FUZZ=ON -DVELLORAN_TESTS=OFF >/dev/null
  cmake --build "$folder" -j"$(nproc)"
}

# A Release build of the programs alone, packed by CPack; its dependencies are found by
# dpkg-shlibdeps from the libraries the programs link.
build_package() {
  local folder="$root/build-package"
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release -DVELLORAN_TESTS=OFF >/dev/null
  cmake --build "$folder" -j"$(nproc)"
  rm -f "$folder"/velloran_*.deb
  (cd "$folder" && cpack -G DEB >/dev/null)
  ls "$folder"/velloran_*.deb
}

# The benchmarks need no test build: they have a Release build of their own. The figures go to
# build-bench/bench.json, and the table made from them to the terminal.
run_benchmarks() {
  local folder="$root/build-bench"
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release -DVELLORAN_BENCH=ON \
    -DVELLORAN_TESTS=OFF >/dev/null
  cmake --build "$folder" -j"$(nproc)"
  "$folder/bench/velloran_bench" --benchmark_out="$folder/bench.json" \
    --benchmark_out_format=json "$@"
  echo
  python3 "$root/tools/bench_table.py" "$folder/bench.json"
  # The map tool on the same big map, beside one read of it and beside tiled.
  echo
  python3 "$root/tools/bench_map_tool.py" "$folder/maptool/velloran-map" \
    "$root/assets/Configuration.xml" "$folder/bench/map-tool-files"
}

case "${1:-}" in
  test-classic)
    exec "$root/tools/test_classic_sdl.sh" "${@:2}"
    ;;
  bench)
    install_packages
    run_benchmarks "${@:2}"
    exit
    ;;
esac

install_packages

case "${1:-}" in
  package)
    build_package
    exit 0
    ;;
esac

build_editor

case "${1:-}" in
  run)
    cd "$root/assets"
    exec "$build/velloran"
    ;;
  test)
    started=$SECONDS
    echo "== plain build"
    (cd "$build" && ctest --output-on-failure)
    echo "== sanitized build"
    test_sanitized
    echo "== fuzz targets"
    build_fuzzers
    "$root/tests/fuzz/run_fuzzers.sh" "$root/build-fuzz" 30
    echo "== every test passed in $((SECONDS - started)) s"
    ;;
  fuzz)
    build_fuzzers
    exec "$root/tests/fuzz/run_fuzzers.sh" "$root/build-fuzz" "${2:-600}"
    ;;
  "") ;;
  *)
    echo "usage: $0 [run|test|fuzz [SECONDS]|test-classic|package|bench [ARGS]]" >&2
    exit 2
    ;;
esac

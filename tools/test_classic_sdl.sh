#!/usr/bin/env bash
# Builds Velloran against the classic SDL 1.2 library (Debian's libsdl1.2-dev, SDL 1.2.15)
# instead of sdl12-compat, and runs every test with it. The work happens in a Debian 12
# chroot under build-classic/, so the host keeps its own SDL.
#   tools/test_classic_sdl.sh           reuse the chroot of an earlier run
#   tools/test_classic_sdl.sh --fresh   make the chroot anew
set -euo pipefail

fresh=0
case "${1:-}" in
  --fresh) fresh=1 ;;
  "") ;;
  *) echo "usage: $0 [--fresh]" >&2; exit 2 ;;
esac
# debootstrap, chroot and mount all need root.
[ "$(id -u)" -eq 0 ] || exec sudo -- bash "$0" "$@"

root=$(cd "$(dirname "$0")/.." && pwd)
work="$root/build-classic"
jail="$work/chroot"
bootstrapped="$jail/.velloran-bootstrapped"
packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libtinyxml-dev libgtk-3-dev
  googletest libgtest-dev valgrind
  python3 python3-xlib xvfb xauth xdotool x11-utils imagemagick
  zlib1g-dev libxxhash-dev libpugixml-dev gzip desktop-file-utils shared-mime-info libxml2-utils
)
mkdir -p "$work"
exec 9>"$work/lock"
flock -n 9 || { echo "another run is using $work" >&2; exit 1; }

# Mount points below the chroot, deepest first (mountinfo writes a blank as \040).
mounts_below_jail() {
  awk '{ print $5 }' /proc/self/mountinfo | while read -r m; do
    m=$(printf '%b' "$m")
    case "$m" in "$jail" | "$jail"/*) echo "$m" ;; esac
  done | sort -r
}

# Ends what still runs inside the chroot (a stuck Xvfb, say), then unmounts everything there.
release_jail() {
  local pid m
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$jail" ] && kill -9 "$pid" 2>/dev/null || true
  done
  for m in $(mounts_below_jail); do
    umount "$m" 2>/dev/null || umount -l "$m" || true
  done
}
trap release_jail EXIT
trap 'exit 130' INT TERM
release_jail  # whatever an interrupted run left behind

# Runs a command line in the chroot. Once the packages are in, commands also get a network
# namespace of their own, so the tests' X servers cannot meet the host's on an abstract socket.
offline=()
in_jail() {
  "${offline[@]}" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes \
    chroot "$jail" /bin/bash -euo pipefail -c "$1"
}

# The first bookworm mirror the host's apt uses, from one-line or deb822 sources.
host_mirror() {
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.{list,sources}; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk 'function take(u) { if (u != "" && !found) print u; if (u != "") found = 1 }
    FNR == 1 { if (suite) take(uri); uri = ""; suite = 0 }
    /^deb[ \t]/ { for (i = 2; i < NF; i++) if ($i ~ /^[a-z]+:\/\//) {
                    if ($(i + 1) == "bookworm") take($i); break } }
    /^URIs:/ { uri = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") suite = 1 }
    /^[ \t]*$/ { if (suite) take(uri); uri = ""; suite = 0 }
    END { if (suite) take(uri) }' "${files[@]}"
}

if [ "$fresh" -eq 1 ] || [ ! -f "$bootstrapped" ]; then
  if ! command -v debootstrap >/dev/null ||
     [ ! -f /usr/share/keyrings/debian-archive-keyring.gpg ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap debian-archive-keyring \
      >/dev/null
  fi
  mirror=$(host_mirror)
  mirror=${mirror:-http://deb.debian.org/debian}
  echo "== Making a Debian 12 chroot in $jail from $mirror"
  [ -z "$(mounts_below_jail)" ] || { echo "$jail is still in use" >&2; exit 1; }
  rm -rf --one-file-system "$jail"
  debootstrap --variant=minbase bookworm "$jail" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; echo "debootstrap failed" >&2; exit 1; }
  printf '#!/bin/sh\nexit 101\n' >"$jail/usr/sbin/policy-rc.d"  # start no services in here
  chmod +x "$jail/usr/sbin/policy-rc.d"
  touch "$bootstrapped"
fi

mkdir -p "$jail/src" "$jail/build"
mount -t proc proc "$jail/proc"
mount -t sysfs sysfs "$jail/sys"
mount --bind /dev "$jail/dev"
mount --bind /dev/pts "$jail/dev/pts"
mount -t tmpfs tmpfs "$jail/dev/shm"
mount --bind "$root" "$jail/src"
mount -o remount,bind,ro "$jail/src"  # the build and the tests write only inside the chroot
cp -L /etc/resolv.conf "$jail/etc/resolv.conf"

if ! in_jail "dpkg-query -s ${packages[*]} >/dev/null 2>&1"; then
  echo "== Installing the build and test packages in the chroot"
  in_jail "apt-get update -qq
           apt-get install -y -qq --no-install-recommends ${packages[*]} >/dev/null"
fi
if in_jail "dpkg-query -W -f='\${Status}\n' libsdl1.2-compat-dev libsdl1.2-compat 2>/dev/null |
            grep -q ' installed'"; then
  echo "sdl12-compat is installed in the chroot; run again with --fresh" >&2
  exit 1
fi
offline=(unshare --net)
sdl=$(in_jail "pkg-config --modversion sdl")
package=$(in_jail "dpkg-query -W -f='\${Package} \${Version}' libsdl1.2debian")
echo "== SDL in the chroot: $sdl ($package)"

echo "== Building (log in $work/build.log)"
in_jail "cmake -S /src -B /build -DCMAKE_BUILD_TYPE=RelWithDebInfo
         cmake --build /build -j$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log"; echo "the build failed" >&2; exit 1; }
grep -E 'warning:' "$work/build.log" || true
# The editor must load the library of the classic package, not the compat layer's.
echo "== velloran loads $(in_jail "dpkg -S \$(readlink -f \$(ldd /build/velloran |
                                    awk '/libSDL-1.2/ { print \$3 }'))")"

echo "== Testing (log in $work/ctest.log)"
rm -rf "$jail/build/failure-shots" && mkdir -p "$jail/build/failure-shots"
status=0
in_jail "cd /build && VELLORAN_FAILURE_SHOTS=/build/failure-shots ctest --output-on-failure" \
  >"$work/ctest.log" 2>&1 || status=$?

echo "== Summary against SDL $sdl"
grep -E '^[0-9]+% tests passed' "$work/ctest.log" || echo "ctest gave no result (exit $status)"
sed -n '/^The following tests FAILED:/,$p' "$work/ctest.log" | grep -E '^\s+[0-9]+ - ' || true
grep -A3 -E ': Failure$' "$work/ctest.log" | head -n 40 || true
echo "-- whole-program cases"
awk '/^[0-9]+\/[0-9]+ Testing: / { mine = ($3 == "program") }
     mine && /^(PASS|FAIL) |^[0-9]+ passed, [0-9]+ failed/' \
  "$jail/build/Testing/Temporary/LastTest.log" 2>/dev/null || true
[ -z "$(ls -A "$jail/build/failure-shots")" ] ||
  echo "screenshots of failed cases: $jail/build/failure-shots"
[ "$status" -eq 0 ] || exit 1

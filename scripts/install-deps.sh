#!/usr/bin/env bash
# Installs the missing tools of the named groups; safe to run again. Each make target asks for
# the groups it uses:
#   build    compilers, CMake and Ninja, and GoogleTest's sources, which the builds compile
#            into the tests (make build, native, i686)
#   test     Wine, virtual displays, screenshots and the shifted clock (the Windows tests, the
#            soak, make run and the demo); fonts-wine gives Wine's title bars their buttons
#   fuzz     clang with libFuzzer and the sanitizers (make fuzz)
#   release  NSIS and zip (make dist and dist-test)
# Without root nothing is installed: the missing packages are named, with the command that
# installs them, and the script fails.
# Usage: scripts/install-deps.sh <group>...
set -euo pipefail
declare -A group_packages=(
  [build]="cmake ninja-build g++ make libgtest-dev libgmock-dev googletest mingw-w64
           g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix"
  [test]="wine wine64 fonts-wine xvfb xauth imagemagick x11-utils faketime tzdata"
  [fuzz]="clang libclang-rt-14-dev"
  [release]="nsis zip unzip"
)
groups="$*"
groups=${groups// / and }
packages=()
for group in "$@"; do
  [ -n "${group_packages[$group]:-}" ] || { echo "install-deps: no group '$group'" >&2; exit 2; }
  packages+=(${group_packages[$group]})
done
if ! command -v dpkg-query >/dev/null; then
  echo "install-deps: no dpkg to check for the $groups tools; they are the Debian packages:" \
    "${packages[*]}" >&2
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages of the $groups tools: ${missing[*]}" >&2
  echo "Install them as root, for example: sudo ${install[*]}" >&2
  exit 1
fi
echo "Installing the packages of the $groups tools: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
"${install[@]}" -qq >/dev/null

#!/usr/bin/env bash
# Installs the build and test tools that are missing; safe to run again. fonts-wine gives
# Wine's title bars their buttons (the Marlett font).
set -euo pipefail
packages=(cmake ninja-build g++ make libgtest-dev libgmock-dev googletest
          mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 fonts-wine xvfb xauth imagemagick x11-utils clang libclang-rt-14-dev
          nsis zip unzip faketime tzdata)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

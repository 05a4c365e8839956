#!/usr/bin/env bash
# Runs one Windows test on a shifted wall clock: libfaketime under a wineserver of its own and
# every Wine process of it, in a copy of the test's prefix, in the zone Europe/Berlin (with
# daylight saving). The shift is a number of seconds from the real clock, in a file that the
# test rewrites to jump the clock; monotonic time stays real, so that timers keep running.
# Usage: run-shifted-clock-test.sh <build-folder> <test.exe in it>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"
source "$here/test-desktop.sh"
faketime_library=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
if [ ! -f "$faketime_library" ]; then
  echo "$faketime_library is missing (Debian package faketime)" >&2
  exit 1
fi
keyloom_prepare_prefix
shared_prefix=$WINEPREFIX
export WINEPREFIX="$shared_prefix-shifted"
offset_file="$keyloom_build_dir/shifted-clock-offset"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX" "$offset_file"' EXIT
rm -rf "$WINEPREFIX"
cp -a "$shared_prefix" "$WINEPREFIX"
echo "+0" >"$offset_file"
# File times stay real: shifted ones would make Wine update the prefix at the first start.
export FAKETIME_TIMESTAMP_FILE="$offset_file" FAKETIME_NO_CACHE=1 DONT_FAKE_MONOTONIC=1
export NO_FAKE_STAT=1 TZ=Europe/Berlin LD_PRELOAD="$faketime_library"
wineserver -p
cd "$keyloom_build_dir"
"$here/wine-exec.sh" "$2"

#!/usr/bin/env bash
# Runs one Windows test on a desktop at 144 DPI: a copy of the test's prefix whose LogPixels
# (the scale Wine draws at) is 144, under a wineserver of its own, so the other tests of the run
# stay at 96 DPI.
# Usage: run-high-dpi-test.sh <build-folder> <test.exe in it>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"
source "$here/test-desktop.sh"
keyloom_prepare_prefix
shared_prefix=$WINEPREFIX
export WINEPREFIX="$shared_prefix-high-dpi"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
rm -rf "$WINEPREFIX"
cp -a "$shared_prefix" "$WINEPREFIX"
wineserver -p
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
cd "$keyloom_build_dir"
"$here/wine-exec.sh" "$2"

#!/usr/bin/env bash
# Starts a built program under Wine: on the current display, or on a virtual one with a
# screenshot of it after a few seconds when there is no display.
set -euo pipefail
build=${1:-build/win64}
program=${2:-Keyloom.exe}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$build"
keyloom_prepare_prefix
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$keyloom_build_dir/$program"
fi
shot="$keyloom_build_dir/screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine "$0" & pid=$!
  sleep 6
  import -window root "$1"
  echo "No display: $(basename "$0") ran on a virtual one; its screenshot is $1"
  wineserver -k >/dev/null 2>&1 || true
  wait $pid 2>/dev/null || true' "$keyloom_build_dir/$program" "$shot"

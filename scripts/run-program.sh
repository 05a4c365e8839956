#!/usr/bin/env bash
# Starts a built program under Wine: on the current display, or, when there is none, in a Wine
# desktop window (which draws the title bars, as Windows does) on a virtual display, with a
# screenshot of it after a few seconds. The program runs in a Wine
# prefix of its own under <run-folder>, never in the one of the tests, whose settings name their
# temporary files.
# Usage: scripts/run-program.sh <win64-build-folder> <program> <run-folder>
set -euo pipefail
build=${1:-build/win64}
program=${2:-Keyloom.exe}
run=${3:-build/run}
here=$(cd "$(dirname "$0")" && pwd)
program_file="$(cd "$build" && pwd)/$program"
mkdir -p "$run"
source "$here/wine-env.sh" "$run"
keyloom_prepare_prefix
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program_file"
fi
shot="$keyloom_build_dir/screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine explorer /desktop=Keyloom,1280x1024 "$(winepath -w "$0")" & pid=$!
  sleep 6
  import -window root "$1"
  echo "No display: $(basename "$0") ran on a virtual one; its screenshot is $1"
  wineserver -k >/dev/null 2>&1 || true
  wait $pid 2>/dev/null || true' "$program_file" "$shot"

#!/usr/bin/env bash
# Runs one Windows benchmark of a cross build under Wine on a virtual display.
# Usage: scripts/run-bench.sh <build-folder> <benchmark.exe> [arguments...]
set -euo pipefail
build=$1; shift
program=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${KEYLOOM_IN_XVFB:-}" ]; then
  export KEYLOOM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "$program" "$@"
fi
source "$here/wine-env.sh" "$build"
keyloom_prepare_prefix
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
"$here/wine-exec.sh" "$keyloom_build_dir/$program" "$@"

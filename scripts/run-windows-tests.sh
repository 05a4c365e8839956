#!/usr/bin/env bash
# Runs the Windows tests of a cross build under Wine inside a virtual display.
# A fresh prefix per run, one persistent wineserver, stopped at the end whatever happens.
set -euo pipefail
build=${1:-build/win64}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${KEYLOOM_IN_XVFB:-}" ]; then
  export KEYLOOM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
source "$here/wine-env.sh" "$build"
rm -rf "$WINEPREFIX"
keyloom_prepare_prefix
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
cd "$build"
# The extra arguments are shell words, so a quoted regex keeps its alternatives.
eval ctest --output-on-failure --timeout 240 "${KEYLOOM_CTEST_ARGS:-}"

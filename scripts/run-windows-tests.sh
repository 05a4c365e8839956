#!/usr/bin/env bash
# Runs the Windows tests of a cross build under Wine, several at once. The tests drive the
# pointer, the keyboard and the foreground window, so each one runs on a desktop of its own: a
# virtual display and a fresh Wine prefix with its persistent wineserver (scripts/test-desktop.sh
# takes it). ctest hands the desktops out, the longest tests first (their COST), and reports
# every failure at the end. Desktops and wineservers are stopped at the end whatever happens.
# Usage: scripts/run-windows-tests.sh <win64-build-folder>
# KEYLOOM_WINDOWS_JOBS desktops (4); extra ctest arguments (e.g. -R regex) in KEYLOOM_CTEST_ARGS.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "${1:-build/win64}"
cd "$keyloom_build_dir"
started=$SECONDS

# The extra arguments are shell words, so a quoted regex keeps its alternatives.
tests=$(eval ctest -N "${KEYLOOM_CTEST_ARGS:-}" | sed -n 's/^Total Tests: //p')
tests=${tests:-0}
jobs=${KEYLOOM_WINDOWS_JOBS:-4}
if [ "$tests" -lt "$jobs" ]; then jobs=$tests; fi
if [ "$jobs" -lt 1 ]; then jobs=1; fi

export KEYLOOM_DESKTOPS="$keyloom_build_dir/desktops"
displays=()
stop_desktops() {
  local desktop
  for desktop in "$KEYLOOM_DESKTOPS"/[0-9]*; do
    [ -f "$desktop" ] && (source "$desktop" && wineserver -k >/dev/null 2>&1) || true
  done
  [ ${#displays[@]} -eq 0 ] || { kill "${displays[@]}" 2>/dev/null; wait "${displays[@]}"; } || true
}
trap stop_desktops EXIT
rm -rf "$KEYLOOM_DESKTOPS" "$WINEPREFIX" "$WINEPREFIX"-*
mkdir -p "$KEYLOOM_DESKTOPS"

# Xvfb picks a free display number itself and writes it once it accepts clients.
start_display() {  # desktop number
  local number=$KEYLOOM_DESKTOPS/display-$1
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$number" >/dev/null 2>&1 &
  displays+=($!)
  for ((wait = 0; wait < 100; wait++)); do
    grep -qs '^[0-9]' "$number" && break
    sleep 0.1
  done
  grep -qs '^[0-9]' "$number" || { echo "Xvfb did not start for desktop $1" >&2; exit 1; }
  echo "export DISPLAY=:$(head -n 1 "$number") WINEPREFIX=$WINEPREFIX-$1" >"$KEYLOOM_DESKTOPS/$1"
}

# One prefix initialised, then copied: quicker than initialising each.
for ((i = 0; i < jobs; i++)); do start_display "$i"; done
(source "$KEYLOOM_DESKTOPS/0" && keyloom_prepare_prefix)
copies=()
for ((i = 1; i < jobs; i++)); do
  cp -a "$WINEPREFIX-0" "$WINEPREFIX-$i" &
  copies+=($!)
done
for copy in "${copies[@]}"; do wait "$copy"; done
resources=()
for ((i = 0; i < jobs; i++)); do
  (source "$KEYLOOM_DESKTOPS/$i" && wineserver -p)
  resources+=("{\"id\": \"$i\"}")
done
spec="$KEYLOOM_DESKTOPS/resources.json"
(IFS=,; echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"desktops\": [${resources[*]}]}]}") >"$spec"
echo "windows tests: $jobs desktops ready in $((SECONDS - started)) s"

rc=0
eval ctest --output-on-failure --timeout 240 -j "$jobs" --resource-spec-file "$spec" \
  "${KEYLOOM_CTEST_ARGS:-}" || rc=$?
echo "windows tests: $tests tests on $jobs desktops in $((SECONDS - started)) s"
exit $rc

#!/usr/bin/env bash
# The demo: on a virtual display and in a Wine prefix of its own, Keyloom starts hidden in the
# notification area with the examples' list as its last list, Notepad opens, a hot key pressed
# with injected input plays "Type a note" into Notepad. Screenshots before and after.
# Usage: scripts/demo.sh <win64-build-folder> <output-folder>
set -euo pipefail
build=${1:-build/win64}
out=${2:-build/demo}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${KEYLOOM_IN_XVFB:-}" ]; then
  export KEYLOOM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
mkdir -p "$out"
build=$(cd "$build" && pwd)
source "$root/scripts/desktop-session.sh" "$out" "$build"
rm -rf "$WINEPREFIX" "$keyloom_build_dir"/*.png
start_desktop_session

list=$(winepath -w "$root/examples/examples.lst")
reg_set 'HKCU\Software\Keyloom' AutoRun REG_DWORD 0
reg_set 'HKCU\Software\Keyloom' LastFileName REG_SZ "$list"
reg_set 'HKCU\Software\Keyloom' MacroDelay REG_DWORD 20
reg_set 'HKCU\Software\Keyloom' Version REG_DWORD 100
echo "1. Keyloom's last macro list (HKCU\\Software\\Keyloom\\LastFileName): $list"

# Started from another folder, as the start-up entry does: the list names its macros relative
# to its own folder.
(cd "$keyloom_build_dir" && start_program "$build/Keyloom.exe" /m)
driver wait-window Keyloom >/dev/null || fail "Keyloom's main window did not appear"
driver wait-visible Keyloom no >/dev/null || fail "Keyloom did not hide in the notification area"
echo "2. Started Keyloom.exe /m: hidden in the notification area, its macros' hot keys live:"
driver list Keyloom 1022 | sed 's/^/     /'

start_program notepad
driver wait-window '*Notepad' >/dev/null || fail "Notepad did not open"
driver front '*Notepad' >/dev/null || fail "Notepad did not come to the front"
screenshot before.png
echo "3. Opened Notepad; screenshot $keyloom_build_dir/before.png"

driver keys Ctrl+Shift+N >/dev/null
echo "4. Pressed Ctrl+Shift+N (injected input) with Notepad in front: Keyloom plays \"Type a note\""
driver wait-text '*Notepad' 'Typed by Keyloom.' 20000 >"$keyloom_build_dir/notepad.txt" ||
  fail "Notepad did not receive the note; it holds: $(cat "$keyloom_build_dir/notepad.txt")"
sleep 1
screenshot after.png
echo "5. Notepad now holds:"
tr -d '\r' <"$keyloom_build_dir/notepad.txt" | sed 's/^/     /'
echo "   screenshot $keyloom_build_dir/after.png"
echo "Demo passed."

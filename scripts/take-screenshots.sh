#!/usr/bin/env bash
# Takes the screenshots of the documentation from the real programs under Wine: every window of
# Keyloom and of Keyloom Scheduler, with the examples loaded, into the work folder; into the
# docs folder too (the tracked docs/*.png) only when it is named.
# Usage: scripts/take-screenshots.sh <win64-build-folder> <work-folder> [docs-folder]
#   e.g. scripts/take-screenshots.sh build/win64 build/screenshots docs
# Wine draws the title-bar buttons with the Marlett font; with Debian's fonts-wine installed
# (or KEYLOOM_WINE_FONTS naming a folder that holds marlett.ttf) they look as on Windows.
# KEYLOOM_SCREENSHOT_DPI=144 takes the main window, the editor and the scheduler window at that
# scale instead, as docs/*-144dpi.png, on a desktop large enough for them.
set -euo pipefail
build=${1:-build/win64}
work=${2:-build/screenshots}
root=$(cd "$(dirname "$0")/.." && pwd)
docs=
[ -z "${3:-}" ] || docs=$(cd "$3" && pwd)
dpi=${KEYLOOM_SCREENSHOT_DPI:-96}
desktop=1024x768
suffix=
if [ "$dpi" != 96 ]; then
  desktop=1280x1024
  suffix=-${dpi}dpi
fi
if [ -z "${KEYLOOM_IN_XVFB:-}" ]; then
  export KEYLOOM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 ${desktop}x24" bash "$0" "$@"
fi
mkdir -p "$work"
build=$(cd "$build" && pwd)
source "$root/scripts/desktop-session.sh" "$work" "$build"
start_desktop_session "$desktop"
fonts=${KEYLOOM_WINE_FONTS:-/usr/share/wine/fonts}
[ -f "$fonts/marlett.ttf" ] && cp "$fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"

reg_set 'HKCU\Software\Keyloom' AutoRun REG_DWORD 0
reg_set 'HKCU\Software\Keyloom' MacroDelay REG_DWORD 20
reg_set 'HKCU\Software\Keyloom' Version REG_DWORD 100
reg_set 'HKCU\Software\Keyloom' LastFileName REG_SZ "$(winepath -w "$root/examples/examples.lst")"
reg_set 'HKCU\Software\Keyloom Scheduler' AutoRun REG_DWORD 0
reg_set 'HKCU\Software\Keyloom Scheduler' Version REG_DWORD 100
reg_set 'HKCU\Software\Keyloom Scheduler' LastFileName REG_SZ \
  "$(winepath -w "$root/examples/daily-routine.scl")"

# The window titled `title` (or @active) as `name`, with the scale's suffix.
shoot() {  # title, name
  local rect name=${2%.png}$suffix.png
  sleep 1
  rect=$(driver rect "$1") || fail "no window \"$1\" for $name"
  screenshot "$name" "$rect"
  echo "$keyloom_build_dir/$name"
  [ -z "$docs" ] || { cp "$keyloom_build_dir/$name" "$docs/$name" && echo "  -> $docs/$name"; }
}
# Sends `command` to `owner`, shoots the window titled `title` that it opens as `name`, and
# closes that window with its button `close`. Only the editor is shot at other scales.
shoot_dialog() {  # owner, command, title, name, close
  [ -z "$suffix" ] || [ "$4" == macro-editor.png ] || return 0
  driver command "$1" "$2" >/dev/null
  [ "$3" == @active ] && sleep 1 || driver wait-visible "$3" yes >/dev/null ||
    fail "no window \"$3\""
  shoot "$3" "$4"
  driver command "$3" "$5" >/dev/null
  sleep 1
}

# The examples name their macros relative to their folder.
cd "$root/examples"

start_program "$build/Keyloom.exe"
driver wait-visible Keyloom yes >/dev/null || fail "Keyloom did not open"
driver select Keyloom 1022 0 >/dev/null    # the macro list: "Type a note"
shoot Keyloom main-window.png
shoot_dialog Keyloom 142 Options options.png 2             # File > Options, Cancel
shoot_dialog Keyloom 121 @active about.png 1               # Help > About, OK
shoot_dialog Keyloom 1028 Keyloom macro-editor.png 1062    # Edit this macro, Cancel
driver command Keyloom 112 >/dev/null                      # File > Exit
wait_program 20 || fail "Keyloom did not exit"

start_program "$build/Keyloom Scheduler.exe"
driver wait-visible "Keyloom Scheduler" yes >/dev/null || fail "Keyloom Scheduler did not open"
driver select "Keyloom Scheduler" 1001 1 >/dev/null    # the schedule list: "Stretch reminder"
shoot "Keyloom Scheduler" scheduler-window.png
shoot_dialog "Keyloom Scheduler" 135 Options scheduler-options.png 2   # File > Options, Cancel
shoot_dialog "Keyloom Scheduler" 117 @active scheduler-about.png 1     # Help > About, OK
# The session's end stops the Scheduler: its Exit would ask whether to save the schedule.

# Sourced by the scripts that show the programs on a desktop (demo, screenshots, package tests):
# a Wine prefix in the output folder, one Wine desktop window filling the (virtual) display,
# the desktop driver and screenshots.
# Usage: source scripts/desktop-session.sh <output-folder> <win64-build-folder>
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "$1"
keyloom_driver="$(cd "$2" && pwd)/desktop_driver_win32.exe"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# A fresh prefix whose programs all share one Wine desktop window of 1024x768 (Wine draws the
# title bars there, as Windows does), and one wineserver for the whole session, stopped at exit
# whatever happens.
start_desktop_session() {
  rm -rf "$WINEPREFIX"
  keyloom_prepare_prefix
  wineserver -p
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f \
    >/dev/null
}

# Starts a program (a file, or a command such as notepad) on the session's desktop, in the
# background.
start_program() {
  local program=$1
  shift
  [ -f "$program" ] && program=$(winepath -w "$program")
  wine "$program" "$@" >/dev/null 2>&1 &
}

# The desktop driver; its output goes through a file, as Wine's helper processes could hold a
# pipe open.
driver() {
  local output rc=0
  output=$(mktemp)
  wine "$keyloom_driver" "$@" >"$output" 2>&1 || rc=$?
  tr -d '\r' <"$output"
  rm -f "$output"
  return $rc
}

# The whole display, or the part given as WIDTHxHEIGHT+X+Y.
screenshot() {
  local crop=()
  [ -n "${2:-}" ] && crop=(-crop "$2")
  import -window root "${crop[@]}" +repage "$keyloom_build_dir/$1"
}

# Sourced by the scripts that show the programs on a desktop (demo, screenshots, package tests):
# a Wine prefix in the output folder, one Wine desktop window filling the (virtual) display,
# the desktop driver and screenshots.
# Usage: source scripts/desktop-session.sh <output-folder> <win64-build-folder>
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "$1"
keyloom_driver="$(cd "$2" && pwd)/desktop_driver_win32.exe"

# Reports a failure, with a screenshot of the display as it was, and ends the script.
fail() {
  import -window root "$keyloom_build_dir/failure.png" 2>/dev/null || true
  echo "FAILED: $* (screenshot: $keyloom_build_dir/failure.png)" >&2
  exit 1
}

# A fresh prefix whose programs all share one Wine desktop window of 1024x768, or the size
# given (Wine draws the title bars there, as Windows does), and one wineserver for the whole
# session, stopped at exit whatever happens.
start_desktop_session() {  # [WIDTHxHEIGHT]
  local size=${1:-1024x768}
  rm -rf "$WINEPREFIX"
  keyloom_prepare_prefix
  wineserver -p
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$size" /f \
    >/dev/null
}

# Starts a program (a file, or a command such as notepad) on the session's desktop, in the
# background.
start_program() {
  local program=$1
  shift
  [ -f "$program" ] && program=$(winepath -w "$program")
  wine "$program" "$@" >/dev/null 2>&1 &
  program_pid=$!
}

# Waits for the program started last to end; its exit code, or 124 when it runs past `seconds`.
wait_program() {
  local seconds=$1 rc=0
  for ((i = 0; i < seconds * 10; i++)); do
    kill -0 "$program_pid" 2>/dev/null || { wait "$program_pid" || rc=$?; return $rc; }
    sleep 0.1
  done
  return 124
}

# An environment variable of the programs, e.g. LOCALAPPDATA.
windows_variable() {
  local output
  output=$(mktemp)
  wine cmd /c echo "%$1%" >"$output" 2>/dev/null
  tr -d '\r' <"$output"
  rm -f "$output"
}

# A value of the prefix's registry: set one, or print the data of one.
reg_set() {  # key, name, type, data
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}
reg_value() {  # key, name
  local output
  output=$(mktemp)
  wine reg query "$1" /v "$2" >"$output" 2>/dev/null || true
  tr -d '\r' <"$output" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
  rm -f "$output"
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

#!/usr/bin/env bash
# Tests of the release, under Wine on a virtual display, in a Wine prefix of their own:
#   the zip: unpacked, it holds both programs (with their version information), the user's
#   README.txt (not the developers' README.md), the macro language guide, the examples and the
#   licence, and both programs start from it in another current
#   folder, open the example list and schedule (which name their macros relative to their own
#   folder), and exit, twice;
#   the installer: run while Keyloom runs, it asks again at Retry until Keyloom has closed, and
#   then installs; a silent install puts the programs, the examples (their list and schedule
#   with full paths), the shortcuts and the uninstall entry in place, and points a start-up entry
#   of another copy at the installed program; the installed Keyloom opens
#   the example list from any folder; the uninstaller refuses while Keyloom runs, then removes
#   what was installed and leaves the user's own files, settings and other start-up entries.
# Usage: scripts/dist-test.sh <win64-build-folder> <work-folder> <dist-folder>
set -euo pipefail
build=${1:-build/win64}
work=${2:-build/dist-test}
dist=${3:-dist}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${KEYLOOM_IN_XVFB:-}" ]; then
  export KEYLOOM_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
version=$(sed -n 's/^#define KEYLOOM_VERSION_TEXT "\(.*\)"$/\1/p' "$root/resources/product_version.h")
zip_file="$(cd "$dist" && pwd)/keyloom-$version-win64.zip"
setup_file="$(cd "$dist" && pwd)/keyloom-$version-setup.exe"
mkdir -p "$work"
work=$(cd "$work" && pwd)
build=$(cd "$build" && pwd)
source "$root/scripts/desktop-session.sh" "$work" "$build"

passed=0
check() {  # description, command...
  local description=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $description"
  else
    fail "$description"
  fi
}
has_lines() {  # the lines of $1 are exactly the remaining arguments
  [ "$1" == "$(printf '%s\n' "${@:2}")" ] || { echo "got: $1" >&2; return 1; }
}
EXAMPLE_MACROS=("Type a note" "Stamp the time" "Stretch reminder" "Start the day")
EXAMPLE_ITEMS=("Start the day" "Stretch reminder" "Stamp the time")
KEYLOOM_KEY='HKCU\Software\Keyloom'
SCHEDULER_KEY='HKCU\Software\Keyloom Scheduler'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Keyloom'

# Settings as a previous run leaves them, with `list` and `schedule` as the last files.
last_files() {
  reg_set "$KEYLOOM_KEY" AutoRun REG_DWORD 0
  reg_set "$KEYLOOM_KEY" MacroDelay REG_DWORD 20
  reg_set "$KEYLOOM_KEY" Version REG_DWORD 100
  reg_set "$KEYLOOM_KEY" LastFileName REG_SZ "$1"
  reg_set "$SCHEDULER_KEY" AutoRun REG_DWORD 0
  reg_set "$SCHEDULER_KEY" Version REG_DWORD 100
  reg_set "$SCHEDULER_KEY" LastFileName REG_SZ "$2"
}

# Starts a program in the current folder; its window must show `entries` in list `control`,
# then File > Exit (`exit_command`) must end it with exit code 0.
run_and_exit() {  # program, window title, list control, exit command, entries...
  start_program "$1"
  driver wait-visible "$2" yes >/dev/null || fail "$2 did not open its window"
  check "$2 shows the example entries" has_lines "$(driver list "$2" "$3")" "${@:5}"
  driver command "$2" "$4" >/dev/null
  local rc=0
  wait_program 20 || rc=$?
  check "$2 exits with code 0 (got $rc)" test "$rc" -eq 0
}

start_desktop_session

# ---- The zip ----
unpacked="$work/unpacked"
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$zip_file" -d "$unpacked"
app="$unpacked/keyloom-$version-win64"
check "the zip holds the programs, the user's page, the guide, licence and examples" has_lines \
  "$(cd "$app" && find . -type f | sort)" \
  "./Keyloom Scheduler.exe" ./Keyloom.exe ./LICENSE ./README.txt ./docs/macro-language.md \
  ./examples/daily-routine.scl ./examples/examples.lst ./examples/stamp-the-time.mro \
  ./examples/start-the-day.mro ./examples/stretch-reminder.mro ./examples/type-a-note.mro
users_page() {  # of this release, every line ending in CR LF for Notepad, no build commands
  head -n 1 "$1" | grep -qx "Keyloom $version"$'\r' && ! grep -qv $'\r$' "$1" &&
    ! grep -q "make " "$1"
}
check "README.txt is the user's page of release $version" users_page "$app/README.txt"
for program in Keyloom.exe "Keyloom Scheduler.exe"; do
  info=$(driver version "$(winepath -w "$app/$program")")
  check "$program carries version $version of the product Keyloom" \
    grep -qx "ProductVersion: $version" <<<"$info"
  check "$program is named Keyloom in its version information" \
    grep -qx "ProductName: Keyloom" <<<"$info"
done

# The example list and schedule name their macros relative to their own folder. The programs
# start as a double-click or the start-up entry starts them, from a current folder that is
# neither theirs nor the examples', with the list and schedule opened at an earlier start; the
# second start reopens what the first one stored at its exit.
list_file=$(winepath -w "$app/examples/examples.lst")
schedule_file=$(winepath -w "$app/examples/daily-routine.scl")
last_files "$list_file" "$schedule_file"
cd "$work"
for start in first second; do
  run_and_exit "$app/Keyloom.exe" Keyloom 1022 112 "${EXAMPLE_MACROS[@]}"
  run_and_exit "$app/Keyloom Scheduler.exe" "Keyloom Scheduler" 1001 116 "${EXAMPLE_ITEMS[@]}"
  check "the $start start leaves the example list as the last one" \
    test "$(reg_value "$KEYLOOM_KEY" LastFileName)" == "$list_file"
  check "the $start start leaves the example schedule as the last one" \
    test "$(reg_value "$SCHEDULER_KEY" LastFileName)" == "$schedule_file"
done
examples_unchanged() {
  cmp -s "$app/examples/examples.lst" "$root/examples/examples.lst" &&
    cmp -s "$app/examples/daily-routine.scl" "$root/examples/daily-routine.scl"
}
check "the example list and schedule are unchanged" examples_unchanged

# ---- The installer ----
local_app_data=$(windows_variable LOCALAPPDATA)
app_data=$(windows_variable APPDATA)
install_dir="$local_app_data\\Programs\\Keyloom"
installed=$(winepath -u "$install_dir")
menu=$(winepath -u "$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Keyloom")
setup_title="*Keyloom $version Setup"    # a page may add to the title

# Run while Keyloom runs, the installer says so and waits for Retry; it goes on once Keyloom has
# closed: Next, I Agree and Install, then Finish, which starts the installed Keyloom.
start_program "$app/Keyloom.exe"
driver wait-visible Keyloom yes >/dev/null || fail "Keyloom did not start from the zip"
wine "$setup_file" >/dev/null 2>&1 &
setup_pid=$!
driver wait-visible "$setup_title" yes >/dev/null || fail "the installer showed nothing"
sleep 1
driver command "$setup_title" 4 >/dev/null    # Retry
sleep 2
check "Retry while Keyloom runs asks again" driver wait-visible "$setup_title" yes 5000
check "the installer waiting for Keyloom has installed nothing" test ! -e "$installed"
driver command Keyloom 112 >/dev/null
wait_program 20 || fail "Keyloom did not exit"
driver command "$setup_title" 4 >/dev/null    # Retry
for page in welcome licence folder; do
  sleep 2
  driver command "$setup_title" 1 || fail "no installer window on the $page page"
done
for ((i = 0; i < 300; i++)); do
  [ -n "$(reg_value "$UNINSTALL_KEY" EstimatedSize)" ] && break
  sleep 0.2
done
check "Retry after Keyloom has closed installs it" test -f "$installed/Keyloom.exe"
sleep 2
driver command "$setup_title" 1 >/dev/null    # Finish
check "Finish starts the installed Keyloom" driver wait-visible Keyloom yes
driver command Keyloom 112 >/dev/null
driver wait-gone Keyloom >/dev/null || fail "the installed Keyloom did not exit"
wait "$setup_pid" || true

# A silent install over it, with the start-up entry of the zip's Keyloom in place.
zip_keyloom_entry="\"$(winepath -w "$app/Keyloom.exe")\" /m"
reg_set "$RUN_KEY" Keyloom REG_SZ "$zip_keyloom_entry"
rc=0
wine "$setup_file" /S >/dev/null 2>&1 || rc=$?
check "the silent install succeeds (exit code $rc)" test "$rc" -eq 0
check "the install points the start-up entry of another copy at the installed Keyloom" \
  test "$(reg_value "$RUN_KEY" Keyloom)" == "\"$install_dir\\Keyloom.exe\" /m"
check "the install adds no start-up entry of its own" \
  test -z "$(reg_value "$RUN_KEY" "Keyloom Scheduler")"
check "the programs, the user's page, guide, licence, examples and uninstaller are installed" \
  has_lines "$(cd "$installed" && find . -type f | sort)" \
  "./Keyloom Scheduler.exe" ./Keyloom.exe ./LICENSE ./README.txt ./Uninstall.exe \
  ./docs/macro-language.md ./examples/daily-routine.scl ./examples/examples.lst \
  ./examples/stamp-the-time.mro ./examples/start-the-day.mro ./examples/stretch-reminder.mro \
  ./examples/type-a-note.mro
check "the installed programs are those of the zip" \
  cmp -s "$installed/Keyloom.exe" "$app/Keyloom.exe"
check "the installed example list names its macros with full paths" has_lines \
  "$(tr -d '\r' <"$installed/examples/examples.lst")" \
  "$install_dir\\examples\\type-a-note.mro" "$install_dir\\examples\\stamp-the-time.mro" \
  "$install_dir\\examples\\stretch-reminder.mro" "$install_dir\\examples\\start-the-day.mro"
check "the installed schedule names its macros with full paths" \
  grep -q "^MACRO_FILENAME \"$(sed 's/\\/\\\\/g' <<<"$install_dir")\\\\examples\\\\stretch-reminder.mro\"" \
  "$installed/examples/daily-routine.scl"
check "the Start menu holds the shortcuts" has_lines "$(cd "$menu" && ls)" \
  "Example macros.lnk" "Keyloom Scheduler.lnk" "Keyloom.lnk" "Uninstall Keyloom.lnk"
check "the uninstall entry names the version" \
  test "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" == "$version"

# Installed, the example list and schedule open whatever the current folder.
last_files "$install_dir\\examples\\examples.lst" "$install_dir\\examples\\daily-routine.scl"
run_and_exit "$installed/Keyloom.exe" Keyloom 1022 112 "${EXAMPLE_MACROS[@]}"
run_and_exit "$installed/Keyloom Scheduler.exe" "Keyloom Scheduler" 1001 116 \
  "${EXAMPLE_ITEMS[@]}"

# The user's own files and start-up entries, and one entry of another copy of the Scheduler.
printf 'NAME "Mine";\r\nSTART\r\nEND\r\n' >"$installed/my-macro.mro"
printf 'NAME "Mine too";\r\nSTART\r\nEND\r\n' >"$installed/examples/my-other-macro.mro"
reg_set "$RUN_KEY" Keyloom REG_SZ "\"$install_dir\\Keyloom.exe\" /m"
reg_set "$RUN_KEY" "Keyloom Scheduler" REG_SZ '"C:\Portable\Keyloom Scheduler.exe" /m'

start_program "$installed/Keyloom.exe"
driver wait-visible Keyloom yes >/dev/null || fail "the installed Keyloom did not start"
rc=0
wine "$installed/Uninstall.exe" /S "_?=$install_dir" >/dev/null 2>&1 || rc=$?
check "the uninstaller refuses while Keyloom runs (exit code $rc)" test "$rc" -ne 0
check "the refused uninstall leaves the programs" test -f "$installed/Keyloom.exe"
driver command Keyloom 112 >/dev/null
wait_program 20 || true

wine "$installed/Uninstall.exe" /S >/dev/null 2>&1
# The uninstaller runs from a copy of itself and returns at once: wait until it has finished.
for ((i = 0; i < 300; i++)); do
  [ -e "$installed/Uninstall.exe" ] || [ -e "$menu" ] || break
  sleep 0.2
done
check "the uninstaller removes the installed files and leaves the user's macros" has_lines \
  "$(cd "$installed" && find . | sort)" . ./examples ./examples/my-other-macro.mro ./my-macro.mro
check "the uninstaller removes the Start-menu shortcuts" test ! -e "$menu"
check "the uninstaller removes the uninstall entry" test -z "$(reg_value "$UNINSTALL_KEY" DisplayName)"
check "the uninstaller removes the start-up entry of the installed Keyloom" \
  test -z "$(reg_value "$RUN_KEY" Keyloom)"
check "the uninstaller leaves the start-up entry of another copy" \
  test "$(reg_value "$RUN_KEY" "Keyloom Scheduler")" == '"C:\Portable\Keyloom Scheduler.exe" /m'
check "the uninstaller leaves the settings" \
  test "$(reg_value "$KEYLOOM_KEY" LastFileName)" == "$install_dir\\examples\\examples.lst"

echo "$passed passed, 0 failed"

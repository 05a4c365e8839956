# Sourced by the scripts that run Windows programs: one Wine prefix per build folder.
# Usage: source scripts/wine-env.sh <build-folder>
keyloom_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$keyloom_build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

keyloom_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
}

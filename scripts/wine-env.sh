# Sourced by the scripts that run Windows programs: one Wine prefix per folder (the build folder
# for the tests; make run, the demo and the release tests each use a folder of their own).
# Usage: source scripts/wine-env.sh <folder>
keyloom_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$keyloom_build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8

# A prefix once initialised, with Wine's Marlett font (Debian's fonts-wine), which draws the
# title-bar buttons, in its fonts folder: Debian's Wine does not look for it elsewhere.
keyloom_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ]; then cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
}

# Sourced by what runs one Windows test. In a parallel run (run-windows-tests.sh), ctest hands
# the test one desktop for as long as it runs: a virtual display and a Wine prefix with its own
# wineserver, which no other test uses meanwhile. Once taken, the desktop is the environment of
# every process the test starts (a script may then move to a prefix of its own). Outside such
# a run the environment stays as it is.
if [ -n "${KEYLOOM_DESKTOPS:-}" ]; then
  if [ -z "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
    echo "no desktop handed to this test: configure the build folder again" >&2
    exit 1
  fi
  keyloom_desktop=${CTEST_RESOURCE_GROUP_0_DESKTOPS#id:}
  source "$KEYLOOM_DESKTOPS/${keyloom_desktop%%,*}"
  unset KEYLOOM_DESKTOPS CTEST_RESOURCE_GROUP_0_DESKTOPS
fi

#!/usr/bin/env bash
# Runs a Windows executable under Wine on the desktop the test run prepared. Output goes through
# a file: Wine's helper processes inherit the handles and would hold a pipe open for ever.
source "$(dirname "$0")/test-desktop.sh"
out=$(mktemp)
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc

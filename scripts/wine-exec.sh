#!/usr/bin/env bash
# Runs a Windows executable under Wine in the prefix the test run prepared. Output goes through
# a file: Wine's helper processes inherit the handles and would hold a pipe open for ever.
out=$(mktemp)
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc

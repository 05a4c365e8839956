#!/usr/bin/env bash
# make test. The Windows tests take longest and mostly wait for the programs they drive, so the
# win64 build comes first and the Windows tests then run beside the rest: the native build and
# the unit tests one after the other, and the fuzz build with its short run, then the i686 build.
# Each group writes its output to a log under <build>/test-logs, printed when the group ends (a
# build only when it fails), and the run ends with every group's result and time.
# Usage: scripts/test-all.sh <build-folder> <make command...>
set -uo pipefail
logs="$1/test-logs"
shift
make_command=("$@")
rm -rf "$logs"
mkdir -p "$logs"
started=$SECONDS

# One group: make with the given arguments. `show` is "always" for the tests, "failure" for the
# builds. Groups end in any order; a lock keeps their reports whole.
group() {  # name, show, make arguments...
  local name=$1 show=$2
  shift 2
  local log="$logs/${name// /-}.log" begin=$SECONDS result=passed
  "${make_command[@]}" "$@" >"$log" 2>&1 || result=FAILED
  {
    flock 9
    if [ "$result" = FAILED ] || [ "$show" = always ]; then
      echo "==== $name"
      cat "$log"
    fi
    echo "==== $name: $result in $((SECONDS - begin)) s"
    printf '  %-14s %-7s %4d s\n' "$name" "$result" $((SECONDS - begin)) >>"$logs/summary"
  } 9>"$logs/lock"
  [ "$result" = passed ]
}

# The CPU work yields to the Windows tests, whose timings depend on the programs getting the
# processor when they wake.
lower_priority() { renice -n 10 -p "$BASHPID" >/dev/null; }
if group "win64 build" failure win64; then
  group "windows tests" always windows-test &
fi
(lower_priority
 group "native build" failure native && group "unit tests" always unit-test) &
(lower_priority
 group "fuzz" always fuzz FUZZ_SECONDS=3
 group "i686 build" failure i686) &
wait

echo "==== make test in $((SECONDS - started)) s:"
cat "$logs/summary"
! grep -q FAILED "$logs/summary"

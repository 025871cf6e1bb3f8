#!/bin/sh
# One level through the level runner: its solution wins it at 10 and 33 ms frames with every spell
# accepted and all three characters home within the play time (the level's trophy), and playing it
# without spells loses it.
# Usage: check-level.sh RUNNER LEVEL SOLUTION [--bonus]
runner=$1 level=$2 solution=$3 bonus=$4
# Under the sanitisers the leak scan at exit can fault among the renderer's threads; the runner's
# leaks are the unit tests' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
[ -f "$solution" ] || { echo "no solution for $level: $solution"; exit 1; }
for frame in 10 33; do
  out=$("$runner" $bonus --frame $frame "$level" "$solution") || { echo "$out"; echo "not won at $frame ms frames"; exit 1; }
  echo "$out"
  case "$out" in *"refused 0"*) ;; *) echo "a spell was refused"; exit 1 ;; esac
  case "$out" in *"home in time 3 of 3"*) ;; *) echo "not every character home within the play time"; exit 1 ;; esac
done
out=$("$runner" $bonus "$level")
status=$?
echo "$out"
[ $status -eq 1 ] || { echo "not lost without spells (status $status)"; exit 1; }

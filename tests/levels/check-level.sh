#!/bin/sh
# One level through the level runner: its solution wins it at 10 and 33 ms frames with every spell
# accepted and all three characters home within the play time (the level's trophy), and so do its
# walls and bridges drawn a little off, as a person's hand draws them (at 10 ms frames); playing it
# without spells loses it.
# Usage: check-level.sh RUNNER LEVEL SOLUTION [--bonus]
runner=$1 level=$2 solution=$3 bonus=$4
# Under the sanitisers the leak scan at exit can fault among the renderer's threads; the runner's
# leaks are the unit tests' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
[ -f "$solution" ] || { echo "no solution for $level: $solution"; exit 1; }
for play in "--frame 10 --as-people-draw" "--frame 33"; do
  out=$("$runner" $bonus $play "$level" "$solution") || { echo "$out"; echo "not won ($play)"; exit 1; }
  echo "$out"
  plays=$(echo "$out" | grep -c .)
  [ "$(echo "$out" | grep -c "refused 0,")" -eq "$plays" ] || { echo "a spell was refused"; exit 1; }
  [ "$(echo "$out" | grep -c "home in time 3 of 3")" -eq "$plays" ] || {
    echo "not every character home within the play time"
    exit 1
  }
done
out=$("$runner" $bonus "$level")
status=$?
echo "$out"
[ $status -eq 1 ] || { echo "not lost without spells (status $status)"; exit 1; }

#!/usr/bin/env bash
# Builds the project under ThreadSanitizer in build-tsan/ and runs the tests whose names match the
# given CTest regular expression (all of them by default), headless. Each process's reports go to
# build-tsan/tsan-reports/; the script ends by listing the distinct races whose stacks reach our
# own sources, and fails when there is one. Too slow for every run: it is run by hand.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build-tsan"
reports="$build/tsan-reports"
pattern=${1:-.}
jobs=${JOBS:-$(nproc)}

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TSAN=ON >/dev/null
cmake --build "$build" -j "$jobs"

rm -rf "$reports"
mkdir -p "$reports"
export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
# The interpreter's own allocator reuses its blocks out of ThreadSanitizer's sight; with malloc a
# freed script value is seen as freed.
export PYTHONMALLOC=malloc
export TSAN_OPTIONS="suppressions=$top/tools/sanitizer/tsan.supp:halt_on_error=0:second_deadlock_stack=1:log_path=$reports/tsan"

status=0
ctest --test-dir "$build" -R "$pattern" -j "$jobs" --output-on-failure || status=$?

python3 "$top/tools/sanitizer/tsan_reports.py" "$top" "$reports" || status=1
exit $status

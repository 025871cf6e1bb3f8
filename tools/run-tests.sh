#!/usr/bin/env bash
# Builds the project and runs every test twice: once plainly and once under AddressSanitizer
# with UndefinedBehaviorSanitizer. Headless: no window shows and no sound plays.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
jobs=$(nproc)

run_variant() {
  local name=$1 sanitize=$2
  shift 2
  local build="$top/build-$name"
  echo "=== $name: configure and build"
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_SANITIZE="$sanitize" "$@" >/dev/null
  cmake --build "$build" -j "$jobs"
  echo "=== $name: tests"
  ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
}

# Line tables are all that test failures and the sanitisers' reports need, and the full debugging
# information costs a fifth of the plain build's time and two fifths of the sanitised one's (gdb on
# a test wants a build of one's own with -g).
run_variant plain OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

# Mesa keeps no shader cache on disk in the sanitised run: LeakSanitizer crashes scanning the
# process while the cache is in use.
export MESA_SHADER_CACHE_DISABLE=true
# The leak check leaves __tls_get_addr alone: its own record of each thread's blocks of dynamic
# thread-local storage takes the 16 bytes before a block that malloc placed 16 bytes into a page for
# an old C library's header, and scanning the range it reads there ends the program with a "fatal
# error" now and then. Those blocks are malloc's, so the check reaches them through the threads'
# own block tables without the record.
export ASAN_OPTIONS="detect_leaks=1:strict_init_order=1:check_initialization_order=1:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$top/tools/sanitizer/lsan.supp:print_suppressions=0"
# The interpreter's own allocator hides its blocks from AddressSanitizer; with malloc a script
# value released once too often is reported where it happens.
export PYTHONMALLOC=malloc
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$top/tools/sanitizer/ubsan.supp"
# No test runs the benchmarks; the plain build keeps them compiling. -O1, as AddressSanitizer advises,
# compiles in less time than -O2 and runs the sanitised tests about as fast: most of their time is
# spent in Mesa's rasteriser, which is not instrumented.
run_variant sanitize ON -DKORVEX_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"

echo "=== fuzz: the engine's XML parser for 60 seconds"
bash "$top/tests/fuzz/run-fuzz.sh" 60

// The sanitised run's leak check at a program's exit scans each thread's blocks of thread-local
// storage. A library loaded at run time (the OpenGL driver, its shader compiler) gets such a block
// from malloc when a thread first touches it. When that block started 16 bytes into a page, the
// check took the 16 bytes before it for the block header of an old C library, scanned a range that
// does not exist and ended a program whose tests had all passed with "LeakSanitizer has encountered
// a fatal error". Where blocks land depends on everything allocated before, so it struck now and
// then; here the allocator's smallest redzone puts a block of this size 16 bytes into a page every
// time.
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(LeakCheckAtExit, ComesThroughABlockOfThreadLocalStorageSixteenBytesIntoAPage) {
#if defined(__SANITIZE_ADDRESS__)
  TestSupport::TempFolder folder;
  const std::string errors = folder / "errors.txt";
  const std::string command = "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}max_redzone=16\" '" +
                              std::string(DYNAMIC_THREAD_LOCAL_PROGRAM) + "' '" + THREAD_LOCAL_BLOCK_LIBRARY +
                              "' 2>'" + errors + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << TestSupport::ReadBytes(errors);
#else
  GTEST_SKIP() << "not built with AddressSanitizer";
#endif
}

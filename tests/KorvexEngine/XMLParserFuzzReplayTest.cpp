// Replays the fuzzer's seed corpus and every input it ever found through the same checks.
#include "../fuzz/XMLParserOracle.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(XMLParserFuzzReplay, SeedsAndFoundInputsHoldTheParserChecks) {
  int replayed = 0;
  for (const char* folder : {"corpus", "regressions"}) {
    const std::filesystem::path path = std::filesystem::path(KORVEX_SOURCE_DIR) / "tests" / "fuzz" / folder;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      EXPECT_EQ(XMLParserOracle::Check(TestSupport::ReadBytes(entry.path().string())), "") << entry.path();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(LoggerExitOrder, DestructorsOfOtherGlobalsStillReachTheLogFile) {
  TestSupport::TempFolder folder;
  const std::string log = folder / "log.txt";
  ASSERT_EQ(std::system((std::string(LOGGER_EXIT_ORDER_PROGRAM) + " '" + log + "'").c_str()), 0);
  const std::string text = TestSupport::ReadBytes(log);
  EXPECT_NE(text.find(" started\r\n"), std::string::npos);
  const std::string last = " released at exit\r\n";
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last) << text;
}

TEST(LoggerExitOrder, WithoutAFileDeviceNothingIsWrittenAnywhere) {
  TestSupport::TempFolder folder;
  const std::string command = "cd '" + folder.Path().string() + "' && " + LOGGER_EXIT_ORDER_PROGRAM;
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

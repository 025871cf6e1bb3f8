#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

// The program runs from the fixture's folder with PYTHONPATH pointing elsewhere: the module is
// still found, the interpreter is finalised exactly once (the module's exit hook runs once), after
// the last script object is gone, and the program ends with status 0.
TEST(ScriptProgram, FindsTheModuleUsesItFromAThreadAndFinishesOnce) {
  const std::string command = "cd '" + std::filesystem::current_path().string() +
                              "' && PYTHONPATH=/nonexistent/elsewhere timeout 60 '" SCRIPT_PROGRAM "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  EXPECT_NE(output.find("answer: walk VGGOT_ACTOR"), std::string::npos) << output;
  EXPECT_EQ(Count(output, "fixture atexit hook ran"), 1u) << output;
  EXPECT_LT(output.find("finish requested"), output.find("fixture atexit hook ran")) << output;
  EXPECT_NE(output.find("running: 0"), std::string::npos) << output;
}

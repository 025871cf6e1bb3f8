#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string RunProgram(const std::string& environment, const std::string& argument, int& status) {
  const std::string command = "cd '" + std::filesystem::current_path().string() + "' && " + environment +
                              " timeout 60 '" SCRIPT_PROGRAM "' " + argument + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  status = pclose(pipe);
  return output;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

// The program runs from the fixture's folder with PYTHONPATH pointing elsewhere and a user locale
// set: the program's character locale stays "C", the module is
// still found, the interpreter is finalised exactly once (the module's exit hook runs once), after
// the last script object is gone and the values kept for the whole run were released with the
// interpreter lock held, and the program ends with status 0.
TEST(ScriptProgram, FindsTheModuleUsesItFromAThreadAndFinishesOnce) {
  int status = -1;
  const std::string output = RunProgram("PYTHONPATH=/nonexistent/elsewhere LC_ALL=C.UTF-8", "", status);
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  EXPECT_NE(output.find("answer: walk VGGOT_ACTOR"), std::string::npos) << output;
  EXPECT_EQ(Count(output, "fixture atexit hook ran"), 1u) << output;
  EXPECT_NE(output.find("character locale: C\n"), std::string::npos) << "the user's locale stays out: " << output;
  EXPECT_EQ(Count(output, "cached name released: 1"), 1u) << output;
  EXPECT_LT(output.find("finish requested"), output.find("cached name released")) << output;
  EXPECT_LT(output.find("cached name released"), output.find("fixture atexit hook ran")) << output;
  EXPECT_NE(output.find("running: 0"), std::string::npos) << output;
}

// Started by the factory's first use, with PYTHONPATH unset: the path comes from the scripts
// folder's text, and the list separator that ends it adds no entry for the working directory.
TEST(ScriptProgram, AStartByTheFactoryPutsNoWorkingDirectoryOnThePath) {
  int status = -1;
  const std::string output = RunProgram("env -u PYTHONPATH", "lazy", status);
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
  EXPECT_NE(output.find("answer: dead"), std::string::npos) << output;
  EXPECT_NE(output.find("working directory on the path: False"), std::string::npos) << output;
  EXPECT_NE(output.find("scripts first: True"), std::string::npos) << output;
  EXPECT_NE(output.find("path variable is the scripts folder: True"), std::string::npos) << output;
  EXPECT_EQ(Count(output, "fixture atexit hook ran"), 1u) << output;
}

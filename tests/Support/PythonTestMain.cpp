// The main of the script suites: the interpreter starts as the program's entry point starts it
// (on the main thread, its lock given away) and ends as the program's exit ends it.
#include "PythonStartUp.h"
#include "VGPYFactory.h"

#include <gtest/gtest.h>

namespace {

class PythonEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { Vellgrove::StartPython(); }
  void TearDown() override {
    Vellgrove::VGPYFactory::ReleaseGlobals();
    Vellgrove::FinishPython();
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PythonEnvironment);
  return RUN_ALL_TESTS();
}

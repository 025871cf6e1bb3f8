// Any thread may call in: three threads at once through the shared factory and through wrappers
// of their own, each call's answer its own.
#include "ScriptTestSupport.h"
#include "VGPYFactory.h"
#include "VGPythonFunctor.h"
#include "VGPythonObject.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

using namespace Vellgrove;

namespace {

const char* const kStates[] = {"idle", "walk", "dead"};
const int kRounds = 1500;

// Answers the number of wrong answers.
int Work(int thread) {
  VGPythonFunctor add(VGPYFactory::GetInterpreter());
  add.SetFuncName("add", 2);
  add.SetArgumentValueSizeT(1, static_cast<size_t>(thread) * 1000000);
  const boost::shared_ptr<VGPythonObject> thing = VGPYFactory::CreateByTypeName("VGGOT_ACTOR");
  int wrong = 0;
  for (int i = 0; i < kRounds; ++i) {
    add.SetArgumentValueSizeT(0, static_cast<size_t>(i));
    if (add.Exec().GetResultAsSizeT() != static_cast<size_t>(thread) * 1000000 + i) ++wrong;
    if (VGPYFactory::GetGameObjectStateStr(static_cast<size_t>(i + thread) % 3) != kStates[(i + thread) % 3]) ++wrong;
    const boost::shared_ptr<VGPythonObject> made = VGPYFactory::CreateByTypeName(i % 2 == 0 ? "VGGOT_SIMPLE" : "VGGOT_ACTOR");
    if (made->GetClassName() != (i % 2 == 0 ? "VGGOT_SIMPLE" : "VGGOT_ACTOR")) ++wrong;
    thing->SetMethodName("add", 2);
    thing->SetArgumentValueDouble(0, thread);
    thing->SetArgumentValueInteger(i);
    if (thing->Call().GetResultAsDouble() != thread + i) ++wrong;
  }
  return wrong;
}

}  // namespace

TEST(ScriptThreads, ThreeThreadsGetTheirOwnAnswersWithoutDeadlock) {
  std::vector<std::future<int>> workers;
  for (int thread = 1; thread <= 3; ++thread) workers.push_back(std::async(std::launch::async, Work, thread));
  for (std::future<int>& worker : workers) {
    ASSERT_EQ(worker.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "deadlock";
    EXPECT_EQ(worker.get(), 0);
  }
}

// A thread that holds the interpreter lock when it first starts the factory gives the lock up
// while another thread's start runs, or the two would wait for each other.
TEST(ScriptThreads, AStartWaitedForUnderTheInterpreterLockEnds) {
  std::vector<std::future<std::string>> starters;
  for (int thread = 0; thread < 3; ++thread) {
    starters.push_back(std::async(std::launch::async, [thread] {
      if (thread == 0) return VGPYFactory::GetGameObjectStateStr(2);
      VGPythonLock lock;
      return VGPYFactory::GetGameObjectStateStr(2);
    }));
  }
  for (std::future<std::string>& starter : starters) {
    ASSERT_EQ(starter.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "deadlock";
    EXPECT_EQ(starter.get(), "dead");
  }
}

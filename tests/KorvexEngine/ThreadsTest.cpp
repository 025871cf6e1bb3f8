#include "KorvexCoreException.h"
#include "SBackgroundWorker.h"
#include "SEvent.h"
#include "SLockGuard.h"
#include "SUIEvent.h"
#include "TSafeData.h"
#include "TScopedLock.h"

#include "Platform/TestHooks.h"

#include "LogCapture.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

using TestSupport::WaitUntil;
using KorvexEngine::SBackgroundWorker;
using KorvexEngine::SLockGuard;
using KorvexEngine::TSafeData;
using KorvexEngine::TScopedLock;
using KorvexEngine::UI::IUIEvent;
using KorvexEngine::UI::SUIEvent;

namespace {


// The owner of a worker, as the application frame is: its task and finish are member functions.
class Owner {
 public:
  explicit Owner(std::function<void()> task) : m_task(std::move(task)) { m_loading.Set(true); }
  void Task() { m_task(); }
  void Finished() {
    ++m_finishes;
    m_loading.Set(false);
  }

  // Starts a worker that the owner destroys as soon as the task has finished or failed.
  void RunWorker() {
    std::unique_ptr<SBackgroundWorker> worker(new SBackgroundWorker);
    worker->SetTask(boost::shared_ptr<IUIEvent>(new SUIEvent<Owner>(&Owner::Task, this)));
    worker->SetFinish(boost::shared_ptr<IUIEvent>(new SUIEvent<Owner>(&Owner::Finished, this)));
    worker->Start();
    WaitUntil([this] { return !m_loading.Get() || m_failed; });
  }

  TSafeData<bool> m_loading;
  std::atomic<int> m_finishes{0};
  std::atomic<bool> m_failed{false};

 private:
  std::function<void()> m_task;
};

}  // namespace

TEST(BackgroundWorker, ReportsEachOutcomeAndRunsFinishOnlyAfterSuccess) {
  const struct {
    const char* name;
    std::function<void()> fail;
    const char* box;
    const wchar_t* log;
  } cases[] = {
      {"success", nullptr, nullptr, L""},
      {"core exception", [] { throw SCore::KorvexCoreException("abc"); }, "abc", L"KorvexCoreException:abc"},
      {"standard exception", [] { throw std::runtime_error("bad"); }, "bad", L"exception:bad"},
      {"anything else", [] { throw 42; }, nullptr, L"unhandled exception"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSupport::LogCapture log;
    Platform::Testing::StartRecordingMessageBoxes();
    Owner* ownerPointer = nullptr;
    Owner owner([&c, &ownerPointer] {
      if (!c.fail) return;
      struct Flag {
        Owner*& owner;
        ~Flag() { owner->m_failed = true; }
      } flag{ownerPointer};
      c.fail();
    });
    ownerPointer = &owner;
    owner.RunWorker();
    // The failure is reported after the task has unwound; give the report its moment.
    WaitUntil([&] { return log.Text() == c.log; });

    EXPECT_EQ(owner.m_finishes, c.fail ? 0 : 1);
    EXPECT_EQ(owner.m_loading.Get(), static_cast<bool>(c.fail)) << "the owner's flag stays set after a failure";
    EXPECT_EQ(log.Text(), c.log);
    const auto boxes = Platform::Testing::TakeRecordedMessageBoxes();
    Platform::Testing::StopRecordingMessageBoxes();
    if (c.box == nullptr) {
      EXPECT_TRUE(boxes.empty());
    } else {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, c.box);
      EXPECT_EQ(boxes[0].caption, "") << "the system's default caption";
      EXPECT_EQ(boxes[0].type, 0u);
    }
  }
}

TEST(BackgroundWorker, AWorkerWithoutATaskReportsInsteadOfCrashing) {
  TestSupport::LogCapture log;
  Platform::Testing::StartRecordingMessageBoxes();
  SBackgroundWorker worker;
  worker.Run();
  EXPECT_EQ(Platform::Testing::TakeRecordedMessageBoxes().size(), 1u);
  Platform::Testing::StopRecordingMessageBoxes();
  EXPECT_NE(log.Text().find(L"KorvexCoreException:"), std::wstring::npos);
}

TEST(BackgroundWorker, DestroyingAStartedWorkerWaitsUntilItsTaskAndFinishHaveRun) {
  for (int round = 0; round < 5; ++round) {
    Owner owner([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
    {
      SBackgroundWorker worker;
      worker.SetTask(boost::shared_ptr<IUIEvent>(new SUIEvent<Owner>(&Owner::Task, &owner)));
      worker.SetFinish(boost::shared_ptr<IUIEvent>(new SUIEvent<Owner>(&Owner::Finished, &owner)));
      worker.Start();
    }
    EXPECT_EQ(owner.m_finishes, 1) << "the finish ran before the worker was gone";
    EXPECT_FALSE(owner.m_loading.Get());
  }
}

TEST(BackgroundWorker, AThreadThatCannotStartRaises) {
  SBackgroundWorker worker;
  Platform::Testing::FailNextThreadStart();
  EXPECT_THROW(worker.Start(), SCore::KorvexCoreException);
}

namespace {

struct Base {
  virtual ~Base() = default;
  virtual void Handle() { handledBy = "base"; }
  std::string handledBy;
};
struct Derived : Base {
  void Handle() override { handledBy = "derived"; }
};

}  // namespace

TEST(Callbacks, BoundVirtualMembersCallTheOverride) {
  Derived object;
  boost::shared_ptr<IUIEvent> uiEvent(new SUIEvent<Base>(&Base::Handle, &object));
  uiEvent->Invoke();
  EXPECT_EQ(object.handledBy, "derived");
  object.handledBy.clear();
  boost::shared_ptr<SCore::IEvent> event(new SCore::SEvent<Base>(&Base::Handle, &object));
  event->Invoke();
  EXPECT_EQ(object.handledBy, "derived");
}

TEST(LockGuard, IsReentrantAndReleasedWhenTheGuardedCodeThrows) {
  SLockGuard lock;
  EXPECT_THROW(
      {
        TScopedLock<SLockGuard> outer(lock);
        TScopedLock<SLockGuard> inner(lock);
        throw std::runtime_error("guarded code failed");
      },
      std::runtime_error);
  std::atomic<bool> taken{false};
  std::thread other([&] {
    TScopedLock<SLockGuard> hold(lock);
    taken = true;
  });
  other.join();
  EXPECT_TRUE(taken);
}

TEST(SafeData, ReadsFalseFirstThenWhatWasSetFromAnyThread) {
  TSafeData<bool> flag;
  EXPECT_FALSE(flag.Get());
  std::thread setter([&] { flag.Set(true); });
  setter.join();
  EXPECT_TRUE(flag.Get());
}

TEST(Thread, DestroyingAStartedThreadObjectLeavesItsThreadRunning) {
  struct Flags {
    std::atomic<bool> started{false};
    std::atomic<bool> release{false};
    std::atomic<bool> finished{false};
  };
  // The thread keeps its flags alive itself: the runner is gone while it runs.
  struct Runner : KorvexEngine::SThread {
    explicit Runner(std::shared_ptr<Flags> flags) : flags(std::move(flags)) {}
    std::shared_ptr<Flags> flags;
    void Run() override {
      const std::shared_ptr<Flags> mine = flags;
      mine->started = true;
      while (!mine->release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      mine->finished = true;
    }
  };
  const auto flags = std::make_shared<Flags>();
  auto runner = std::make_unique<Runner>(flags);
  runner->Start();
  ASSERT_TRUE(WaitUntil([&] { return flags->started.load(); }));
  runner.reset();
  EXPECT_FALSE(flags->finished);
  flags->release = true;
  EXPECT_TRUE(WaitUntil([&] { return flags->finished.load(); }));
}

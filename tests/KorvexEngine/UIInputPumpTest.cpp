#include "KorvexCoreException.h"
#include "SInput.h"
#include "SInputMessager.h"
#include "SUIMessageManager.h"
#include "SViewport.h"

#include "Platform/InputEvents.h"
#include "Platform/Win32Input.h"
#include "Platform/TestHooks.h"

#include "FakeUIInput.h"
#include "LogCapture.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

using TestSupport::WaitUntil;
using UITest::FakeInput;
using KorvexEngine::SInputMessager;
using KorvexEngine::UI::SUIControl;
using KorvexEngine::UI::SUIMessageManager;
namespace UI = KorvexEngine::UI;
namespace InputEvents = Platform::InputEvents;

namespace {

// Writes down every event it receives, as text.
class RecordingControl : public SUIControl {
 public:
  bool HitTest(float, float) override { return false; }
  void OnMouseOver() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float, float) override {}

  void InputMouseMove(const UI::SUIInputMouseMoveEvent& e) override { Note("move " + Position(e.x, e.y)); }
  void InputMouseDown(const UI::SUIInputMouseDownEvent& e) override { Note("down " + Position(e.x, e.y)); }
  void InputMouseUp(const UI::SUIInputMouseUpEvent& e) override { Note("up " + Position(e.x, e.y)); }
  void InputKeyDown(const UI::SUIInputKeyDownEvent& e) override { Note("keydown " + std::to_string(e.key)); }
  void InputKeyUp(const UI::SUIInputKeyUpEvent& e) override { Note("keyup " + std::to_string(e.key)); }
  void InputChar(const UI::SUIInputCharEvent& e) override { Note("char " + std::to_string(e.character)); }

  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> hold(m_mutex);
    std::vector<std::string> taken;
    taken.swap(m_events);
    return taken;
  }

  std::function<void()> onEvent;

 private:
  static std::string Position(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void Note(const std::string& event) {
    {
      std::lock_guard<std::mutex> hold(m_mutex);
      m_events.push_back(event);
    }
    if (onEvent) onEvent();
  }

  std::mutex m_mutex;
  std::vector<std::string> m_events;
};

typedef std::vector<std::string> Events;

}  // namespace

class UIInputPump : public testing::Test {
 protected:
  void SetUp() override {
    InputEvents::Reset();
    InputEvents::CursorMovedTo(0, 0);
    m_input.reset(new FakeInput);
    m_manager.reset(new SUIMessageManager(m_input));
    m_control.reset(new RecordingControl);
    m_manager->AddListener(m_control);
  }
  void TearDown() override { InputEvents::Reset(); }

  Events Tick() {
    m_manager->Poll();
    return m_control->Take();
  }

  boost::shared_ptr<FakeInput> m_input;
  boost::shared_ptr<SUIMessageManager> m_manager;
  boost::shared_ptr<RecordingControl> m_control;
};

TEST_F(UIInputPump, AnIdleTickSendsAMouseUpAndMovesOnlyWhenTheCursorMoved) {
  EXPECT_EQ(Tick(), (Events{"up 0,0"}));
  InputEvents::CursorMovedTo(10, 20);
  EXPECT_EQ(Tick(), (Events{"move 10,20", "up 10,20"}));
  EXPECT_EQ(Tick(), (Events{"up 10,20"}));
  EXPECT_EQ(m_input->updates, 3);
}

TEST_F(UIInputPump, AHeldButtonSendsOneDownThenMovesAwayFromWhereItWasPressed) {
  InputEvents::CursorMovedTo(5, 5);
  Tick();
  m_input->HoldLeftButton(true);
  EXPECT_EQ(Tick(), (Events{"down 5,5"}));
  for (int tick = 0; tick < 9; ++tick) EXPECT_EQ(Tick(), Events{}) << "held still: nothing";
  InputEvents::CursorMovedTo(8, 5);
  EXPECT_EQ(Tick(), (Events{"move 8,5"}));
  EXPECT_EQ(Tick(), (Events{"move 8,5"})) << "still away from the place of the press";
  m_input->HoldLeftButton(false);
  EXPECT_EQ(Tick(), (Events{"move 8,5", "up 8,5"}));
  EXPECT_EQ(Tick(), (Events{"up 8,5"}));
}

TEST_F(UIInputPump, KeysQueuedMeanwhileComeAfterTheMouseUpQueueByQueue) {
  m_input->HoldLeftButton(true);
  EXPECT_EQ(Tick(), (Events{"down 0,0"}));
  m_manager->QueueKeyDown('A');
  m_manager->QueueKeyDown('B');
  m_manager->QueueKeyUp('A');
  m_manager->QueueKeyUp('B');
  m_manager->QueueChar('a');
  m_manager->QueueChar('b');
  EXPECT_EQ(Tick(), Events{}) << "nothing but moves while the button is held";
  m_input->HoldLeftButton(false);
  EXPECT_EQ(Tick(), (Events{"up 0,0", "keydown 65", "keydown 66", "keyup 65", "keyup 66", "char 97", "char 98"}));
  EXPECT_EQ(Tick(), (Events{"up 0,0"}));
}

TEST_F(UIInputPump, EveryListenerGetsEveryEventInRegistrationOrderAndMayRegisterMore) {
  auto second = boost::shared_ptr<RecordingControl>(new RecordingControl);
  auto late = boost::shared_ptr<RecordingControl>(new RecordingControl);
  m_manager->AddListener(second);
  bool registered = false;
  std::vector<std::string> order;
  m_control->onEvent = [&] {
    order.push_back("first");
    if (!registered) m_manager->AddListener(late);
    registered = true;
  };
  second->onEvent = [&] { order.push_back("second"); };
  EXPECT_EQ(Tick(), (Events{"up 0,0"}));
  EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(second->Take(), (Events{"up 0,0"}));
  EXPECT_TRUE(late->Take().empty()) << "a control registered during a walk hears from the next event on";
  Tick();
  EXPECT_EQ(late->Take(), (Events{"up 0,0"}));
}

namespace {

// A viewport that holds only an input: the pump needs nothing else of it.
class InputOnlyViewport : public SCore::SViewport {
 public:
  explicit InputOnlyViewport(boost::shared_ptr<SCore::SInput> input) { m_input = input; }
  boost::shared_ptr<SCore::SVertexBuffer> DoCreateVertexBuffer(UINT, UINT, DWORD, DWORD, DWORD) override { return {}; }
  boost::shared_ptr<SCore::SIndexBuffer> DoCreateIndexBuffer(UINT, D3DFORMAT, DWORD) override { return {}; }
  boost::shared_ptr<SCore::SRenderPass> DoCreateRenderPass() override { return {}; }
  boost::shared_ptr<SCore::SFont> DoCreateFont() override { return {}; }
  boost::shared_ptr<SCore::STexture> DoCreateTexture(const std::string&) override { return {}; }
};


}  // namespace

TEST(InputMessager, TicksOnItsThreadUntilStoppedAndAThrowingHandlerEndsItWithOneLine) {
  TestSupport::LogCapture log;
  boost::shared_ptr<FakeInput> input(new FakeInput);
  boost::shared_ptr<SCore::SViewport> viewport(new InputOnlyViewport(input));
  auto control = boost::shared_ptr<RecordingControl>(new RecordingControl);
  {
    SInputMessager messager;
    messager.Init(viewport);
    messager.AddListener(control);
    messager.Start();
    EXPECT_TRUE(WaitUntil([&] { return input->updates >= 3; }));
    messager.Stop();
    EXPECT_TRUE(WaitUntil([&] { return !messager.IsRunning(); }));
  }
  EXPECT_EQ(log.Text(), L"");

  control->onEvent = [] { throw SCore::KorvexCoreException("handler failed"); };
  SInputMessager messager;
  messager.Init(viewport);
  messager.AddListener(control);
  messager.Start();
  EXPECT_TRUE(WaitUntil([&] { return !messager.IsRunning(); }));
  EXPECT_EQ(log.Text(), L"exception in SInputMessager\n");
}

TEST(InputMessager, DestroyingOneThatWasJustStartedWaitsForItsThread) {
  boost::shared_ptr<FakeInput> input(new FakeInput);
  boost::shared_ptr<SCore::SViewport> viewport(new InputOnlyViewport(input));
  for (int round = 0; round < 20; ++round) {
    const auto started = std::chrono::steady_clock::now();
    {
      SInputMessager messager;
      messager.Init(viewport);
      messager.Start();
    }
    // The thread notices the stop within one tick, so the destructor returns soon.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(viewport.use_count(), 1) << "the messager let go of the viewport";
    const int updates = input->updates;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(input->updates, updates) << "no tick after the destructor returned";
  }
  const auto started = std::chrono::steady_clock::now();
  {
    SInputMessager neverStarted;
    neverStarted.Init(viewport);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
}

// The input thread is held in a handler; the wait for it runs on the engine's clock, which the
// test moves on instead of waiting two real seconds.
TEST(InputMessager, AWaitForTheInputThreadThatPassesTwoSecondsWritesOneLogLine) {
  TestSupport::LogCapture log;
  boost::shared_ptr<FakeInput> input(new FakeInput);
  boost::shared_ptr<SCore::SViewport> viewport(new InputOnlyViewport(input));
  auto control = boost::shared_ptr<RecordingControl>(new RecordingControl);
  std::atomic<bool> inHandler{false};
  std::atomic<bool> release{false};
  control->onEvent = [&] {
    inHandler = true;
    WaitUntil([&] { return release.load(); });
  };
  Platform::Testing::SetFakeClock(1000);
  std::unique_ptr<SInputMessager> messager(new SInputMessager);
  messager->Init(viewport);
  messager->AddListener(control);
  messager->Start();
  ASSERT_TRUE(WaitUntil([&] { return inHandler.load(); }));

  std::thread destroyer([&] { messager.reset(); });
  const auto logged = [&] { return log.Text().find(L"still waiting") != std::wstring::npos; };
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  Platform::Testing::AdvanceFakeClock(1999);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(logged()) << "not yet two seconds";
  const bool reported = WaitUntil([&] {
    Platform::Testing::AdvanceFakeClock(100);
    return logged();
  });
  release = true;
  destroyer.join();
  Platform::Testing::UseRealClock();

  EXPECT_TRUE(reported);
  const std::wstring wide = log.Text();
  const std::string text(wide.begin(), wide.end());
  EXPECT_TRUE(std::regex_match(text, std::regex("[ 0-9]{4}-[0-9]{2}-[0-9]{2} [ 0-9]{2}:[0-9]{2}:[0-9]{2}"
                                                " still waiting for the UI input thread \\(SInputMessager\\) to end"
                                                " after 2000 milliseconds\n")))
      << text;
}

// The DirectShow stand-in: a graph's faces, its answers before and after it renders a file, and
// positions in units of 100 ns on the multimedia clock that stop exactly at the end.
#include "TempFolder.h"
#include "WaitUntil.h"
#include "WaveBytes.h"

#include "Platform/DShow.h"
#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

template <class Face>
Face* Query(IGraphBuilder* graph, REFIID id) {
  Face* face = nullptr;
  EXPECT_EQ(graph->QueryInterface(id, reinterpret_cast<void**>(&face)), S_OK);
  return face;
}

class DirectShowTest : public ::testing::Test {
 protected:
  DirectShowTest() {
    Platform::Testing::SetFakeClock(5000);
    Platform::Testing::SetSleepHook([](DWORD) {});
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&m_graph)),
              S_OK);
    m_control = Query<IMediaControl>(m_graph, IID_IMediaControl);
    m_seeking = Query<IMediaSeeking>(m_graph, IID_IMediaSeeking);
    m_events = Query<IMediaEvent>(m_graph, IID_IMediaEvent);
  }
  ~DirectShowTest() override {
    m_events->Release();
    m_seeking->Release();
    m_control->Release();
    m_graph->Release();
    Platform::Testing::SetSleepHook(nullptr);
    Platform::Testing::UseRealClock();
  }

  LONGLONG Current() {
    LONGLONG current = -1, stop = -1;
    m_seeking->GetPositions(&current, &stop);
    return current;
  }

  TestSupport::TempFolder m_folder;
  IGraphBuilder* m_graph = nullptr;
  IMediaControl* m_control = nullptr;
  IMediaSeeking* m_seeking = nullptr;
  IMediaEvent* m_events = nullptr;
};

TEST_F(DirectShowTest, AnswersBeforeAFileIsRendered) {
  void* face = nullptr;
  EXPECT_EQ(m_graph->QueryInterface(CLSID_FilterGraph, &face), E_NOINTERFACE);
  EXPECT_EQ(m_control->Run(), VFW_E_WRONG_STATE);
  const std::wstring missing = L"no\\such\\track.mp3";
  EXPECT_EQ(m_graph->RenderFile(missing.c_str(), nullptr), VFW_E_NOT_FOUND);
  const std::string garbage = m_folder.Write("garbage.mp3", "plain text, no sound");
  EXPECT_EQ(m_graph->RenderFile(std::wstring(garbage.begin(), garbage.end()).c_str(), nullptr),
            VFW_E_UNSUPPORTED_STREAM);
  IBasicAudio* audio = Query<IBasicAudio>(m_graph, IID_IBasicAudio);
  EXPECT_EQ(audio->put_Volume(1), E_INVALIDARG);
  EXPECT_EQ(audio->put_Volume(-10001), E_INVALIDARG);
  EXPECT_EQ(audio->put_Volume(-3541), S_OK);
  long volume = 0;
  audio->get_Volume(&volume);
  EXPECT_EQ(volume, -3541);
  audio->Release();
  void* other = nullptr;
  EXPECT_EQ(CoCreateInstance(IID_IMediaControl, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, &other),
            REGDB_E_CLASSNOTREG);
}

TEST_F(DirectShowTest, PositionsRunOnTheClockAndStopExactlyAtTheEnd) {
  const std::string track = m_folder.Write("tick.mp3", TestSupport::ToneWave(50));
  ASSERT_EQ(m_graph->RenderFile(std::wstring(track.begin(), track.end()).c_str(), nullptr), S_OK);
  LONGLONG current = -1, stop = -1;
  m_seeking->GetPositions(&current, &stop);
  EXPECT_EQ(current, 0);
  EXPECT_NEAR(stop, 500000, 1000) << "50 ms, as the mixer resamples it";
  ASSERT_EQ(m_control->Run(), S_OK);
  Platform::Testing::AdvanceFakeClock(20);
  EXPECT_EQ(Current(), 200000);
  long event = -1;
  EXPECT_EQ(m_events->WaitForCompletion(10, &event), E_ABORT);
  Platform::Testing::AdvanceFakeClock(100);
  EXPECT_TRUE(TestSupport::WaitUntil([&] { return Current() == stop; })) << "the mixer did not finish the track";
  EXPECT_EQ(m_events->WaitForCompletion(100, &event), S_OK);
  EXPECT_EQ(event, EC_COMPLETE);
  LONGLONG start = 0;
  m_seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning);
  EXPECT_EQ(Current(), 0);
  Platform::Testing::AdvanceFakeClock(30);
  m_control->Stop();
  Platform::Testing::AdvanceFakeClock(30);
  EXPECT_EQ(Current(), 300000);
}

}  // namespace

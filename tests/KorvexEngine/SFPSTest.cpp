#include "SFPS.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

namespace Testing = Platform::Testing;

class FrameRate : public testing::Test {
 protected:
  // The first step of 20 ms crosses the clock's wrap.
  void SetUp() override { Testing::SetFakeClock(0xFFFFFFF0u); }
  void TearDown() override { Testing::UseRealClock(); }
};

TEST_F(FrameRate, SmoothsHalfwayTowardsEachRateAcrossTheClocksWrap) {
  SCore::SFPS meter;
  const float expected[] = {25.0f, 37.5f, 43.75f, 46.875f};
  for (float rate : expected) {
    Testing::AdvanceFakeClock(20);
    EXPECT_FLOAT_EQ(meter.Update(), rate);
  }
}

TEST_F(FrameRate, TwoUpdatesInOneMillisecondCountAsAThousand) {
  SCore::SFPS meter;
  EXPECT_FLOAT_EQ(meter.Update(), 500.0f);
  EXPECT_FLOAT_EQ(meter.Update(), (500.0f + 1000.0f) * 0.5f);
}

TEST_F(FrameRate, WindowAverageIsTheMeanOfAHundredSmoothedRates) {
  SCore::SFPS meter;
  // Frames of 40 and 10 ms in turn: rates 25 and 100, smoothed halfway each time.
  float smoothed = 0;
  float total = 0;
  for (int call = 1; call <= 100; ++call) {
    const DWORD elapsed = call % 2 == 0 ? 10 : 40;
    Testing::AdvanceFakeClock(elapsed);
    smoothed = (smoothed + 1000.0f / static_cast<float>(elapsed)) * 0.5f;
    total += smoothed;
    EXPECT_FLOAT_EQ(meter.Update(), smoothed) << "call " << call;
    if (call < 100) {
      ASSERT_EQ(meter.GetWindowAverage(), 0.0f) << "call " << call;
    }
  }
  EXPECT_FLOAT_EQ(meter.GetWindowAverage(), total / 100.0f);
  Testing::AdvanceFakeClock(20);
  meter.Update();
  EXPECT_FLOAT_EQ(meter.GetWindowAverage(), total / 100.0f) << "kept until the next window is complete";
}

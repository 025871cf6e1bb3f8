#include "GameScreenFixture.h"
#include "GameTestSupport.h"
#include "STextureAnimatorFrame.h"
#include "VGLoading.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

using GameTest::FailureOf;

namespace {

const DWORD kBackground = 0xFF203040;
const DWORD kAnimation = 0xFFC02020;
const DWORD kActive = 0xFF20C020;
const DWORD kPassive = 0xFF2020C0;

// The loading pictures as the folder "Loading" holds them, each of one colour.
class LoadingScreen : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    folder.Write("Loading/background.dds", GameTest::SolidDds(16, 16, kBackground));
    folder.Write("Loading/animation.dds", GameTest::SolidDds(16, 16, kAnimation));
    folder.Write("Loading/active.dds", GameTest::SolidDds(16, 4, kActive));
    folder.Write("Loading/passive.dds", GameTest::SolidDds(16, 4, kPassive));
  }

  std::vector<DWORD> Shown(Vellgrove::VGLoading& loading, float progress) {
    loading.GetProgressBar()->Progress = progress;
    loading.GetProgressBar()->Update();
    return Frame([&] { loading.Render(); });
  }

  // Points of the bar's middle row: just inside its left end, at 40 % and at 60 % of its length,
  // and just inside its right end.
  static std::vector<DWORD> BarRow(const std::vector<DWORD>& frame) {
    const float left = 0.27587890625f;
    const float width = 0.4619140625f;
    const float y = 0.4680989683f + 0.078125f / 2;
    return {At(frame, left + 0.02f * width, y), At(frame, left + 0.4f * width, y), At(frame, left + 0.6f * width, y),
            At(frame, left + 0.98f * width, y)};
  }
};

}  // namespace

TEST_F(LoadingScreen, ShowsTheBackgroundTheAnimationAndTheBarFilledByItsFraction) {
  Vellgrove::VGLoading loading;
  EXPECT_EQ(loading.GetProgressBar()->Progress, 0.0f);
  struct Case {
    float progress;
    std::vector<DWORD> bar;
  };
  const Case cases[] = {{0.0f, {kPassive, kPassive, kPassive, kPassive}},
                        {0.5f, {kActive, kActive, kPassive, kPassive}},
                        {1.0f, {kActive, kActive, kActive, kActive}}};
  for (const Case& c : cases) {
    const std::vector<DWORD> frame = Shown(loading, c.progress);
    EXPECT_EQ(BarRow(frame), c.bar) << c.progress;
    EXPECT_EQ(At(frame, 0.1f, 0.1f), kBackground);
    EXPECT_EQ(At(frame, 0.62f, 0.7f), kAnimation);
    EXPECT_EQ(At(frame, 0.995f, 0.5f), kBlack) << "a strip of 1 % at the right stays uncovered";
    EXPECT_EQ(At(frame, 0.5f, 0.995f), kBlack) << "and one at the bottom";
  }
}

TEST_F(LoadingScreen, AtTheFullFractionTheFillLiesExactlyOnTheBack) {
  Vellgrove::VGLoading loading;
  const KorvexEngine::SProgressBar& bar = *loading.GetProgressBar();
  loading.GetProgressBar()->Progress = 1.0f;
  loading.GetProgressBar()->Update();
  EXPECT_EQ(bar.FillSprite.Position.X, bar.BackSprite.Position.X);
  EXPECT_EQ(bar.FillSprite.Position.Width, bar.BackSprite.Position.Width);
  EXPECT_EQ(bar.FillSprite.TexCoords.Width, bar.BackSprite.TexCoords.Width);
  EXPECT_EQ(bar.BackSprite.Material.Texture1->GetPath(), "Loading\\passive.dds");
}

// The sheet of 4 by 4 cells runs backwards at 20 cells a second over wall-clock time: cell 0 at
// its start, then cell 15 after 50 ms, cell 14 after 100 ms.
TEST_F(LoadingScreen, AnimatesItsSheetBackwards) {
  auto cellColour = [](unsigned cell) { return 0xFF000000u | (cell * 16u) << 16 | 0x80u; };
  folder.Write("Loading/animation.dds", GameTest::DdsPicture(32, 32, [&](unsigned x, unsigned y) {
                 return cellColour(y / 8 * 4 + x / 8);
               }));
  Platform::Testing::SetFakeClock(5000);
  Vellgrove::VGLoading loading;
  for (const auto& step : {std::make_pair(0u, 0u), std::make_pair(50u, 15u), std::make_pair(100u, 14u)}) {
    Platform::Testing::SetFakeClock(5000 + step.first);
    const std::vector<DWORD> frame = Shown(loading, 0.0f);
    EXPECT_EQ(At(frame, 0.56005859375f + 0.0625f, 0.615234375f + 0.083f), cellColour(step.second)) << step.first;
  }
}

TEST_F(LoadingScreen, AMissingPictureStopsTheScreenAndNamesTheFile) {
  std::remove((folder / "Loading/passive.dds").c_str());
  const std::string failure = FailureOf([] { Vellgrove::VGLoading loading; });
  EXPECT_NE(failure.find("Loading\\passive.dds"), std::string::npos) << failure;
  EXPECT_NE(failure.find("VGLoading::VGLoading() ..\\Src\\VGLoading"), std::string::npos) << failure;
}

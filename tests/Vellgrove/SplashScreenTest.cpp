#include "BlackTexels.h"
#include "GameScreenFixture.h"
#include "GameTestSupport.h"
#include "LogCapture.h"
#include "VGSplash.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using GameTest::FailureOf;

namespace {

const DWORD kFirst = 0xFFC08040;
const DWORD kSecond = 0xFF40A0E0;
const DWORD kStart = 100000;

// Pictures whose top three quarters (what the splash shows) are one colour and whose bottom
// quarter is white, so that a picture drawn with the wrong rows shows.
std::string SplashPicture(DWORD colour) {
  return GameTest::DdsPicture(16, 16, [colour](unsigned, unsigned y) { return y < 12 ? colour : 0xFFFFFFFFu; });
}

class SplashScreen : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    Platform::Testing::SetFakeClock(kStart);
  }

  void WritePictures() {
    folder.Write("splash/b_second.dds", SplashPicture(kSecond));
    folder.Write("splash/a_first.dds", SplashPicture(kFirst));
  }

  std::vector<DWORD> FrameAt(Vellgrove::VGSplash& splash, DWORD sinceLoad) {
    Platform::Testing::SetFakeClock(kStart + sinceLoad);
    return Frame([&] { splash.Render(); });
  }

  static int Channel(DWORD colour, int shift) { return int((colour >> shift) & 0xFF); }
};

}  // namespace

TEST_F(SplashScreen, ShowsItsPicturesInNameOrderFourSecondsEachFadingThroughBlackButTheLast) {
  WritePictures();
  Vellgrove::VGSplash splash;
  splash.Load();
  struct Step {
    DWORD sinceLoad;
    DWORD centre;
    int blackAlpha;  // written into BLACK's first texels
  };
  const Step steps[] = {{0, kBlack, 255},      {2000, kFirst, 0},  {3999, kBlack, 251},
                        {4000, kSecond, 0},    {5000, kSecond, 0}, {7999, kSecond, 0}};
  for (const Step& step : steps) {
    const std::vector<DWORD> frame = FrameAt(splash, step.sinceLoad);
    EXPECT_NEAR(Channel(At(frame, 0.5f, 0.9f), 16), Channel(step.centre, 16), 3) << step.sinceLoad;
    EXPECT_NEAR(Channel(At(frame, 0.5f, 0.9f), 0), Channel(step.centre, 0), 3) << step.sinceLoad;
    EXPECT_EQ(FirstTexels(*black, 4), std::vector<DWORD>(4, DWORD(step.blackAlpha) << 24)) << step.sinceLoad;
    EXPECT_FALSE(splash.IsDone()) << step.sinceLoad;
  }
  const std::vector<DWORD> after = FrameAt(splash, 8000);
  EXPECT_TRUE(splash.IsDone());
  EXPECT_EQ(At(after, 0.5f, 0.5f), kBlack) << "nothing is drawn once the last picture's time is over";
}

// Some 100 ms into a picture the overlay is part way clear: the picture shows, darkened.
TEST_F(SplashScreen, FadesInFromBlack) {
  WritePictures();
  Vellgrove::VGSplash splash;
  splash.Load();
  const int alpha = Vellgrove::VGSplash::OverlayAlpha(0.025f, false);
  EXPECT_GT(alpha, 100);
  EXPECT_LT(alpha, 200);
  const std::vector<DWORD> frame = FrameAt(splash, 100);
  const int red = Channel(At(frame, 0.5f, 0.5f), 16);
  EXPECT_NEAR(red, Channel(kFirst, 16) * (255 - alpha) / 255, 3);
}

TEST_F(SplashScreen, ListsFilesOnlyAndLeavesOutWhatIsNoPicture) {
  WritePictures();
  folder.Write("splash/c_notes.txt", "not a picture");
  std::filesystem::create_directories(folder.Path() / "splash" / "a_folder");
  Vellgrove::VGSplash splash;
  EXPECT_EQ(splash.GetPicturePaths(),
            (std::vector<std::wstring>{L"splash\\a_first.dds", L"splash\\b_second.dds", L"splash\\c_notes.txt"}));
  TestSupport::LogCapture log;
  splash.Load();
  EXPECT_EQ(splash.GetPictureCount(), 2u);
  EXPECT_NE(log.Text().find(L" Splash picture left out: can't load texture:splash\\c_notes.txt"), std::wstring::npos)
      << RenderTest::Narrow(log.Text());
  EXPECT_EQ(Channel(At(FrameAt(splash, 6000), 0.5f, 0.5f), 0), Channel(kSecond, 0)) << "the last picture is the second";
  FrameAt(splash, 8000);
  EXPECT_TRUE(splash.IsDone());
}

TEST_F(SplashScreen, WithoutItsFolderIsDoneAtItsFirstFrame) {
  Vellgrove::VGSplash splash;
  splash.Load();
  EXPECT_TRUE(splash.GetPicturePaths().empty());
  EXPECT_EQ(At(FrameAt(splash, 0), 0.5f, 0.5f), kBlack);
  EXPECT_TRUE(splash.IsDone());
}

TEST_F(SplashScreen, CountsItsTimeAcrossTheWrapOfTheClock) {
  WritePictures();
  Platform::Testing::SetFakeClock(0xFFFFF000u);
  Vellgrove::VGSplash splash;
  splash.Load();
  Platform::Testing::SetFakeClock(0xFFFFF000u + 6000u);
  const std::vector<DWORD> frame = Frame([&] { splash.Render(); });
  EXPECT_EQ(Channel(At(frame, 0.5f, 0.5f), 0), Channel(kSecond, 0));
  EXPECT_FALSE(splash.IsDone());
}

TEST_F(SplashScreen, NeedsBlack) {
  viewport->GetTextureManager()->GetTexture("BLACK");
  boost::shared_ptr<SCore::SViewport> bare = SCore::SViewportFactory::CreateViewport("D3D9Render");
  Vellgrove::VGSpriteCreator::SetViewport(bare);
  EXPECT_EQ(FailureOf([] { Vellgrove::VGSplash splash; }),
            "can't find texture:BLACK STextureManager::DoGetTexture() .\\Src\\STextureManager at: "
            "VGSplash::VGSplash() ..\\Src\\VGSplash at:");
}

// The overlay's texture may be narrower than four texels, or of another format: the write stays in
// the first row, and a format it cannot write is refused with the device left free.
TEST_F(SplashScreen, WritesBlackWithinItsFirstRowAndOnlyInItsOwnFormat) {
  const boost::shared_ptr<SCore::STexture> narrow = Texture("BLACK", 2, 2, 0xFFFFFFFF);
  Vellgrove::WriteBlackAlpha(*narrow, 0x40);
  EXPECT_EQ(FirstTexels(*narrow, 2), (std::vector<DWORD>{0x40000000, 0x40000000}));
  D3DLOCKED_RECT locked{};
  narrow->DoLockRect(0, &locked, nullptr, 0);
  const DWORD secondRow = *reinterpret_cast<const DWORD*>(static_cast<const char*>(locked.pBits) + locked.Pitch);
  narrow->DoUnlockRect(0);
  EXPECT_EQ(secondRow, 0xFFFFFFFFu);
  const boost::shared_ptr<SCore::STexture> other = Texture("BLACK", 4, 1, 0xFFFFFFFF, D3DFMT_X8R8G8B8);
  EXPECT_EQ(FailureOf([&] { Vellgrove::WriteBlackAlpha(*other, 0x40); }),
            "the texture BLACK must be A8R8G8B8 (format 21), not format 22");
  EXPECT_EQ(FirstTexels(*other, 1), std::vector<DWORD>{0xFFFFFFFF});
}

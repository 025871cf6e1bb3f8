// The intro and the final cut-scene the game ships, on their real files and pictures: the intro
// plays every page with its captions and ends by itself, plays again from the start and can be
// skipped, and the ending changes to its second picture on its schedule.
#include "RunningGame.h"
#include "SSprite.h"
#include "STexture.h"
#include "VGFinalCut.h"
#include "VGIntro.h"

#include <set>
#include <string>

using Vellgrove::VellgroveGame;

namespace {

class ShippedStory : public GameTest::RunningGame {
 protected:
  void SetUp() override { Create(game); }
  void TearDown() override { Quit(game); }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(ShippedStory, TheIntroPlaysEveryPageAndEndsByItself) {
  Vellgrove::VGIntro intro(nullptr);
  ASSERT_GE(intro.GetPages().size(), 3u);
  for (const Vellgrove::VGIntroPage& page : intro.GetPages()) EXPECT_FALSE(page.items.empty()) << page.Texture;
  intro.Start();
  std::set<size_t> pagesSeen;
  bool pictureShown = false;
  DWORD elapsed = 0;
  for (; elapsed < 180000 && !intro.IsFinished(); elapsed += 100) {
    Platform::Testing::AdvanceFakeClock(100);
    intro.Update();
    pagesSeen.insert(intro.GetCurrentPage());
    if (elapsed == 2500) {
      // The first page's picture in its frame, by the frame's key colour.
      const std::vector<DWORD> picture = PictureOf(game, [&] { intro.Render(); });
      pictureShown = Shows(picture, 0.0f, 0.0f, 1.0f, 1.0f, 106, 44, 57);
    }
  }
  EXPECT_TRUE(intro.IsFinished()) << "within three minutes";
  EXPECT_GT(elapsed, 30000u) << "each page is given time to be read";
  for (size_t page = 0; page < intro.GetPages().size(); ++page) EXPECT_EQ(pagesSeen.count(page), 1u) << page;
  EXPECT_TRUE(pictureShown);

  // Shown again, it plays from its first page, and the skip button ends it there.
  intro.Start();
  Platform::Testing::AdvanceFakeClock(3000);
  intro.Update();
  EXPECT_FALSE(intro.IsFinished());
  EXPECT_EQ(intro.GetCurrentPage(), 0u);
  intro.OnSkip();
  intro.Update();
  EXPECT_TRUE(intro.IsFinished());
}

TEST_F(ShippedStory, TheEndingTurnsToItsSecondPictureAndWaits) {
  Vellgrove::VGFinalCut cut;
  cut.Start();
  for (DWORD elapsed = 0; elapsed <= 70000; elapsed += 100) {
    Platform::Testing::AdvanceFakeClock(100);
    cut.Update();
    if (elapsed == 45000) {
      EXPECT_EQ(cut.GetPicture()->Material.Texture1->GetName(), "FINALCUT");
    }
  }
  EXPECT_EQ(cut.GetPicture()->Material.Texture1->GetName(), "FINALCUT2");
}

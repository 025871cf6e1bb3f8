// The trophies screen in the real game: what the player has won, the newest trophy's announcement
// on the multimedia clock, a completed set, clicks that enlarge a trophy, and the hovered description,
// also with a descriptions file shorter than the row of trophies.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SFadeCurve.h"
#include "SSprite.h"
#include "SSpriteTransition.h"
#include "STexture.h"
#include "SUIButton.h"
#include "SUILabel.h"
#include "TempFolder.h"
#include "VGUserProfileManager.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/Win32Window.h"

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

using Vellgrove::VellgroveGame;
using Vellgrove::VGTropheis;

namespace {

class Trophies : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    Create(game);
    Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
  }
  void TearDown() override { Quit(game); }

  VGTropheis& Screen() { return *game.GetTropheis(); }
  Vellgrove::VGUserProfile& Player() { return *Vellgrove::g_UserProfileManager->GetCurrent(); }

  static unsigned int Alpha(const KorvexEngine::SSprite& sprite) { return sprite.ColorLU >> 24; }
  unsigned int TrophyAlpha(unsigned int i) { return Alpha(*Screen().m_trophyButtons[i]->m_normalSprite); }

  // The screen's frame on the fake clock.
  void Tick(DWORD milliseconds) {
    Platform::Testing::AdvanceFakeClock(milliseconds);
    Screen().Update();
  }

  void Step() { Frame(game, 10, true); }

  // Whether the drawn screen shows the enamel plaque of the trophy's plinth at full strength.
  bool ShowsPlaque(unsigned int i) {
    const KorvexEngine::UI::SUIButton& trophy = *Screen().m_trophyButtons[i];
    const std::vector<DWORD> picture = PictureOf(game, [&] { Screen().Render(); });
    return Shows(picture, trophy.m_x, trophy.m_y, trophy.m_x + trophy.m_width, trophy.m_y + trophy.m_height, 106,
                 20, 8);
  }

  bool Until(const std::function<bool()>& condition) {
    return TestSupport::WaitUntil([&] {
      Step();
      return condition();
    });
  }

  void PointAt(const KorvexEngine::UI::SUIButton& control) {
    const int x = int((control.m_x + control.m_width / 2) * 1024), y = int((control.m_y + control.m_height / 2) * 768);
    Platform::Testing::InjectMouseMove(game.GetWindow()->m_window, x, y, 0, 0);
    ASSERT_TRUE(Until([&] { return PointerAt(game, x, y); }));
    for (int i = 0; i < 3; ++i) {
      Step();
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
  }

  void Click(const KorvexEngine::UI::SUIButton& control) {
    PointAt(control);
    const HWND window = game.GetWindow()->m_window;
    const int x = int((control.m_x + control.m_width / 2) * 1024), y = int((control.m_y + control.m_height / 2) * 768);
    for (bool down : {true, false}) {
      Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, down, x, y);
      for (int i = 0; i < 3; ++i) {
        Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
      }
    }
  }

  VellgroveGame game{false};
};

}  // namespace

TEST_F(Trophies, ShowTheTrophiesAndSetsThePlayerHasWon) {
  struct Row {
    std::vector<unsigned int> won;
    bool set1, set2;
  };
  std::vector<unsigned int> firstSet, all;
  for (unsigned int i = 0; i < 30; ++i) (i < 15 ? firstSet : all).push_back(i);
  all.insert(all.end(), firstSet.begin(), firstSet.end());
  for (const Row& row : std::vector<Row>{{{}, false, false}, {{0, 3, 29}, false, false}, {firstSet, true, false},
                                         {all, true, true}}) {
    for (unsigned int trophy : row.won) Player().AwardTrophy(trophy);
    Screen().Refresh();
    for (unsigned int i = 0; i < 30; ++i) {
      EXPECT_EQ(Screen().m_trophyButtons[i]->m_hidden, Player().m_trophies[i] == 0) << "trophy " << i;
    }
    EXPECT_EQ(!Screen().m_setButton1->m_hidden, row.set1) << row.won.size();
    EXPECT_EQ(!Screen().m_setButton2->m_hidden, row.set2) << row.won.size();
  }
}

// The newest trophy: the sign for 2000 ms, then the trophy fades into its place until 10000 ms;
// OK before that puts it at full strength at once.
TEST_F(Trophies, TheNewestTrophyIsAnnouncedThenFadesIn) {
  Player().AwardTrophy(3);
  Screen().m_newTrophies.push_back(3);
  Screen().Refresh();
  Tick(0);
  EXPECT_EQ(Screen().m_wowFade->Mode, KorvexEngine::FadingIn);
  EXPECT_EQ(TrophyAlpha(3), 0u) << "the new trophy starts unseen";
  Tick(2000);
  EXPECT_TRUE(Screen().m_newTrophyShown);
  Tick(1);
  EXPECT_EQ(Screen().m_wowFade->Mode, KorvexEngine::FadingOut);
  Tick(4000);
  EXPECT_GT(TrophyAlpha(3), 0u);
  EXPECT_LT(TrophyAlpha(3), 255u) << "half way";
  EXPECT_FALSE(ShowsPlaque(3)) << "half faded, its plaque is not yet its own colour";
  Tick(4001);
  EXPECT_EQ(TrophyAlpha(3), 255u);
  EXPECT_TRUE(ShowsPlaque(3));

  Player().AwardTrophy(7);
  Screen().m_newTrophies.push_back(7);
  Screen().Refresh();
  Tick(500);
  Screen().OnOk();
  Tick(0);
  EXPECT_EQ(TrophyAlpha(7), 255u) << "OK shows it at once";
  EXPECT_TRUE(Screen().IsDone());
}

// A set completed fades its big trophy in on the visit that announces it and shows it at full
// strength on every later visit.
TEST_F(Trophies, ACompletedSetIsAnnouncedOnce) {
  for (unsigned int i = 15; i < 30; ++i) Player().AwardTrophy(i);
  Screen().m_announceSet2 = true;
  Screen().Refresh();
  EXPECT_EQ(Screen().m_setFade->Sprite, Screen().m_setButton2->m_normalSprite);
  EXPECT_EQ(Screen().m_setFade->Mode, KorvexEngine::FadingIn);
  Tick(1000);
  EXPECT_LT(Alpha(*Screen().m_setButton2->m_normalSprite), 255u);
  Screen().OnOk();
  Tick(0);
  EXPECT_EQ(Alpha(*Screen().m_setButton2->m_normalSprite), 255u);
  Screen().Refresh();
  Tick(100);
  EXPECT_EQ(Alpha(*Screen().m_setButton2->m_normalSprite), 255u) << "the next visit";
  EXPECT_FALSE(Screen().m_announceSet2);
}

// Clicks through the input thread: trophy 16 enlarges cell (1, 0) of the second set's sheet, the
// next click hides it, trophy 14 shows cell (2, 3) of the first; the hovered trophy is described.
TEST_F(Trophies, AClickedTrophyIsEnlargedAndTheHoveredOneDescribed) {
  for (unsigned int i = 0; i < 30; ++i) Player().AwardTrophy(i);
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_TROPHIES);
  ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == Vellgrove::VGGM_TROPHIES; }));

  PointAt(*Screen().m_trophyButtons[5]);
  EXPECT_EQ(Screen().m_description->m_text, Screen().m_descriptions[5]);
  EXPECT_FALSE(Screen().m_descriptions[5].empty());

  struct Row {
    unsigned int trophy;
    bool shown;
    const char* sheet;
    float left, top;
  };
  for (const Row& row : std::vector<Row>{{16, true, "TROPHIESETBIG2", 0.25f, 0.0f},
                                         {16, false, nullptr, 0.0f, 0.0f},
                                         {14, true, "TROPHIESETBIG1", 0.5f, 3 * 0.2314453125f}}) {
    SCOPED_TRACE(row.trophy);
    Click(*Screen().m_trophyButtons[row.trophy]);
    ASSERT_TRUE(Until([&] { return Screen().m_bigShown == row.shown; }));
    if (!row.shown) continue;
    EXPECT_EQ(Screen().m_bigIndex, row.trophy);
    EXPECT_EQ(Screen().m_bigTrophy->Material.Texture1->GetName(), row.sheet);
    EXPECT_FLOAT_EQ(Screen().m_bigTrophy->TexCoords.X, row.left);
    EXPECT_FLOAT_EQ(Screen().m_bigTrophy->TexCoords.Y, row.top);
  }
}

namespace {

// The game started with a trophies file that describes only the first two trophies.
class ShortTrophiesFile : public Trophies {
 protected:
  void SetUp() override {
    const std::string twoOfThirty = "<Trophies><T Name=\"First steps\"></T><T Name=\"Second wind\"></T></Trophies>";
    Vellgrove::g_TrophiesPath = GameTest::Wide(descriptions.Write("trophies.xml", twoOfThirty));
    Trophies::SetUp();
  }

  TestSupport::TempFolder descriptions;
};

}  // namespace

// Pointing from a described trophy to one past the end of the file leaves the line empty.
TEST_F(ShortTrophiesFile, TrophiesPastTheEndOfTheFileHaveNoDescription) {
  for (unsigned int i = 0; i < 30; ++i) Player().AwardTrophy(i);
  game.GetGameMode()->ChangeMode(Vellgrove::VGGM_TROPHIES);
  ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == Vellgrove::VGGM_TROPHIES; }));
  ASSERT_EQ(Screen().m_descriptions.size(), 2u);
  PointAt(*Screen().m_trophyButtons[1]);
  EXPECT_EQ(Screen().m_description->m_text, L"Second wind");
  PointAt(*Screen().m_trophyButtons[5]);
  EXPECT_EQ(Screen().m_description->m_text, L"");
}

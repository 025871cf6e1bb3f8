// The main menu in the real game: a first start asks for a player, and whatever the player does
// with players, volumes, the screen mode and the high scores is in "users.xml" at once; once a
// choice has taken the game on, the menu answers no more clicks.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SFadeCurve.h"
#include "SSpriteTransition.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "SUICheckBox.h"
#include "SUIListBox.h"
#include "SUITrackBar.h"
#include "TScopedLock.h"
#include "VGSoundManager.h"
#include "VGUserProfileManager.h"
#include "VGUsersFile.h"
#include "WaitUntil.h"

#include "Platform/InputInjection.h"
#include "Platform/SoundTestHooks.h"
#include "Platform/Win32Window.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

using Vellgrove::VellgroveGame;
using Vellgrove::VGUsersFileContent;

namespace {

// Control centres in screen fractions: dialogs stand at (0.2275390625, 0.18).
struct Point {
  float x, y;
};
const float kDialogX = 0.2275390625f, kDialogY = 0.18f;
Point InDialog(float x, float y, float width, float height) {
  return {kDialogX + x + width / 2, kDialogY + y + height / 2};
}
const float kSmallW = 0.0927734375f, kSmallH = 0.05859375f;
const Point kIfThis = {0.5f, 0.298f + 0.0188f};
const Point kSettings = {0.52099609375f + 0.0976f, 0.501953125f + 0.0449f};
const Point kHighScores = {0.31103515625f + 0.0976f, 0.63346356f + 0.0449f};
const Point kPlay = {0.31103515625f + 0.0976f, 0.501953125f + 0.0449f};
const Point kProfileOk = InDialog(0.066650390625f, 0.5f, kSmallW, kSmallH);
const Point kProfileDelete = InDialog(0.385498046875f, 0.5f, kSmallW, kSmallH);
const Point kProfileNew = InDialog(0.1083984375f, 0.1f, 0.328125f, 0.0625f);
const Point kNameBox = InDialog(0.13331875f, 0.18f, 0.2f, 0.09f);
const Point kNewUserOk = InDialog(0.119791664f, 0.42f, kSmallW, kSmallH);
const Point kYes = InDialog(0.07682292f, 0.25f, 0.1572265625f, 0.10677083f);
const Point kSettingsOk = InDialog(0.258615f, 0.5125f, kSmallW, kSmallH);
const Point kFullScreenBox = InDialog(0.049316406f, 0.5110677f, 0.17578125f, kSmallH);
const Point kHighScoreClear = {0.81f + kSmallW / 2, 0.85f + kSmallH / 2};
const Point kHighScoreOk = {0.1f + kSmallW / 2, 0.85f + kSmallH / 2};
// The list's rows: margins of 0.0288218 above and below 0.0349027 of text.
Point ListRow(int row) { return {kDialogX + 0.13331875f + 0.1f, kDialogY + 0.18f + 0.0925463f * (float(row) + 0.5f)}; }
// A place along a volume bar.
Point OnBar(float barY, float value) { return {kDialogX + 0.12246094f + 0.334f * value, kDialogY + barY + 0.0416f}; }

class MainMenu : public GameTest::RunningGame {
 protected:
  void SetUp() override { Create(game); }

  void TearDown() override {
    KorvexEngine::g_LeftButtonDown = 0;
    Quit(game);
  }

  void Step() { Frame(game, 10, true); }

  void EnterMenu() {
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
    ASSERT_TRUE(Until([&] { return game.GetGameMode()->GetCurrent() == Vellgrove::VGGM_MENU && !ActiveForm().empty(); }));
    for (int i = 0; i < 60; ++i) Step();  // the fade from black
  }

  std::string ActiveForm() { return game.GetMenu()->m_ui->GetActiveFormName(); }

  // Frames go on while the input thread catches up.
  bool Until(const std::function<bool()>& condition) {
    return TestSupport::WaitUntil([&] {
      Step();
      return condition();
    });
  }

  void Settle() {
    for (int i = 0; i < 3; ++i) {
      Step();
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
  }

  // A click as the input thread sees one: the pointer there, the button down, then up.
  void Click(Point at) {
    const HWND window = game.GetWindow()->m_window;
    const int x = int(at.x * 1024), y = int(at.y * 768);
    Platform::Testing::InjectMouseMove(window, x, y, 0, 0);
    ASSERT_TRUE(Until([&] { return PointerAt(game, x, y); }));
    Settle();
    Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, true, x, y);
    Settle();
    Platform::Testing::InjectMouseButton(window, SDL_BUTTON_LEFT, false, x, y);
    Settle();
  }

  // How many sound effects the action started.
  static int SoundsPlayedBy(const std::function<void()>& action) {
    Platform::Testing::StartRecordingSoundCalls();
    action();
    const std::vector<Platform::Testing::SoundCall> calls = Platform::Testing::RecordedSoundCalls();
    Platform::Testing::StopRecordingSoundCalls();
    return int(std::count_if(calls.begin(), calls.end(), [](const auto& call) { return call.call == "Play"; }));
  }

  void Type(const std::string& codePageBytes) {
    for (const char byte : codePageBytes) game.OnChar(static_cast<BYTE>(byte));
    Settle();
  }

  void AddPlayer(const std::string& codePageBytes) {
    Click(kNameBox);
    Type(codePageBytes);
    Click(kNewUserOk);
    ASSERT_NE(ActiveForm(), "NewUser");
  }

  struct Namesakes {
    boost::shared_ptr<Vellgrove::VGUserProfile> older, newer;
  };

  // Two players named ANN, the older at level02 and the newer (current) at level05, both listed;
  // the change-player form is open with the older one's row picked.
  Namesakes PickTheOlderOfTwoNamesakes() {
    const auto add = [&](const std::string& level, const std::string& showName) {
      Vellgrove::g_UserProfileManager->AddProfile(L"ANN");
      Vellgrove::g_UserProfileManager->SetLevel(level, showName);
      game.GetMenu()->m_userList->InsertFront(L"ANN");
      return Vellgrove::g_UserProfileManager->GetCurrent();
    };
    Namesakes players;
    players.older = add("level02", "Two");
    players.newer = add("level05", "Five");
    game.GetMenu()->Activate();
    EnterMenu();
    Click(kIfThis);
    Click(ListRow(1));
    return players;
  }

  VGUsersFileContent File() { return Vellgrove::ReadUsersFile(documents.UsersFile().wstring()); }
  std::string FileBytes() { return GameTest::DocumentsFolder::Read(documents.UsersFile()); }

  static std::vector<std::wstring> Names(const VGUsersFileContent& content) {
    std::vector<std::wstring> names;
    for (const auto& profile : content.profiles) names.push_back(profile.m_name);
    return names;
  }

  VellgroveGame game{false};
};

// A game started full screen, met from its splash screens as a player meets it.
class MainMenuStartedFullScreen : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    game.DoInit("D3D9Render");
    game.Create(L"textures.xml", "Glintmoor Dawnkeel test", 1024, 768, 32, true);
  }
  void TearDown() override { Quit(game); }

  std::string ActiveForm() { return game.GetMenu()->m_ui->GetActiveFormName(); }
  void Click(Point at) { ClickAt(game, at.x, at.y); }

  VellgroveGame game{true};
};

// The screen's mean brightness, 0 to 765.
double MeanLevel(const std::vector<DWORD>& pixels) {
  double sum = 0.0;
  for (DWORD pixel : pixels) sum += double(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
  return sum / double(pixels.size());
}

// Windows-1251 bytes of the Cyrillic letters I and v.
const std::string kOddName = std::string("\"<&") + "\xC8\xE2";
const std::wstring kOddNameWide = L"\"<&\x0418\x0432";

}  // namespace

TEST_F(MainMenu, WhatThePlayerDoesInTheMenuIsKept) {
  EnterMenu();
  EXPECT_EQ(ActiveForm(), "NewUser") << "a first start asks for a player";
  EXPECT_TRUE(Shows(Picture(game), kDialogX + 0.008f, 0.35f, kDialogX + 0.04f, 0.75f, 74, 36, 82))
      << "the new player's form, by its key colour";
  EXPECT_FALSE(std::filesystem::exists(documents.UsersFile()));

  AddPlayer(kOddName);
  EXPECT_EQ(Names(File()), std::vector<std::wstring>{kOddNameWide});
  EXPECT_EQ(File().current, kOddNameWide);

  Click(kIfThis);
  ASSERT_EQ(ActiveForm(), "UserProfile");
  Click(kProfileNew);
  ASSERT_EQ(ActiveForm(), "NewUser");
  AddPlayer("Bo");
  EXPECT_EQ(ActiveForm(), "UserProfile");
  Click(kProfileOk);
  // The game's font has capitals only.
  EXPECT_EQ(Names(File()), (std::vector<std::wstring>{L"BO", kOddNameWide}));
  EXPECT_EQ(File().current, L"BO");

  Click(kIfThis);
  Click(ListRow(1));
  Click(kProfileOk);
  ASSERT_EQ(ActiveForm(), "MainForm");
  EXPECT_EQ(File().current, kOddNameWide) << "the first player chosen again";
  EXPECT_TRUE(game.GetMenu()->m_userChanged);

  Click(kIfThis);
  Click(kProfileDelete);
  ASSERT_EQ(ActiveForm(), "AreYouSure");
  Click(kYes);
  EXPECT_EQ(ActiveForm(), "UserProfile");
  EXPECT_EQ(Names(File()), std::vector<std::wstring>{L"BO"});
  EXPECT_EQ(File().current, L"BO");
  Click(kProfileOk);

  Click(kSettings);
  ASSERT_EQ(ActiveForm(), "Settings");
  EXPECT_EQ(SoundsPlayedBy([&] { Click(OnBar(0.18510418f, 0.25f)); }), 0) << "the music's volume changes silently";
  EXPECT_EQ(SoundsPlayedBy([&] { Click(OnBar(0.35010415f, 0.75f)); }), 1) << "the sounds' volume plays a tooth";
  const float music = game.GetMenu()->m_musicBar->m_value, sound = game.GetMenu()->m_soundBar->m_value;
  EXPECT_NEAR(music, 0.25f, 0.03f);
  EXPECT_NEAR(sound, 0.75f, 0.03f);
  EXPECT_NEAR(Vellgrove::g_SoundManager->m_volume, 0.5f + 0.5f * sound, 1e-5f);
  Click(kSettingsOk);
  EXPECT_EQ(File().musicVolume, music);
  EXPECT_EQ(File().soundVolume, sound);

  Click(kSettings);
  const bool fullScreen = game.IsFullScreen();
  Click(kFullScreenBox);
  ASSERT_TRUE(Until([&] { return game.IsFullScreen() != fullScreen; }));
  EXPECT_EQ(game.GetMenu()->m_fullScreenBox->m_checked, !fullScreen);
  Click(kFullScreenBox);
  ASSERT_TRUE(Until([&] { return game.IsFullScreen() == fullScreen; }));
  Click(kSettingsOk);

  Click(kHighScores);
  ASSERT_EQ(ActiveForm(), "HighScore");
  ASSERT_FALSE(Vellgrove::g_UserProfileManager->GetHighScoreRows(10).empty());
  const std::string beforeClear = FileBytes();
  Click(kHighScoreClear);
  ASSERT_EQ(ActiveForm(), "AreYouSure");
  Click(kYes);
  EXPECT_EQ(ActiveForm(), "HighScore");
  EXPECT_TRUE(Vellgrove::g_UserProfileManager->GetHighScoreRows(10).empty()) << "the table empties at once";
  EXPECT_EQ(FileBytes(), beforeClear) << "and reaches the file with the next save";
  Click(kHighScoreOk);

  Click(kPlay);
  EXPECT_EQ(game.GetMenu()->GetResult(), Vellgrove::VGMenu::kFirstPlay) << "BO has never played";
  const std::string afterPlay = FileBytes();
  for (Point at : {kIfThis, kProfileDelete, kYes}) Click(at);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetProfileNames(), std::vector<std::wstring>{L"BO"});
  EXPECT_EQ(FileBytes(), afterPlay) << "the menu left behind answers no clicks";
}

// The player's choice fades out over the menu as it stood, not over an empty screen.
TEST_F(MainMenu, PlayFadesOutOverTheMenuStillShown) {
  EnterMenu();
  AddPlayer("Bo");
  const double shown = MeanLevel(Picture(game));
  Click(kPlay);
  ASSERT_EQ(game.GetMenu()->GetResult(), Vellgrove::VGMenu::kFirstPlay);
  ASSERT_EQ(game.GetGameMode()->GetCurrent(), Vellgrove::VGGM_MENU) << "the fade to the intro has begun";
  EXPECT_GT(MeanLevel(Picture(game)), 0.5 * shown);
}

TEST_F(MainMenuStartedFullScreen, TheBoxShowsTheScreenAndEveryClickSwitchesIt) {
  ASSERT_TRUE(Reach(game, Vellgrove::VGGM_MENU));
  ASSERT_TRUE(FramesUntil(game, [&] { return ActiveForm() == "NewUser"; }));
  Click(kNameBox);
  for (char byte : std::string("Bo")) game.OnChar(static_cast<BYTE>(byte));
  Click(kNewUserOk);
  Click(kSettings);
  ASSERT_EQ(ActiveForm(), "Settings");
  const KorvexEngine::UI::SUICheckBox& box = *game.GetMenu()->m_fullScreenBox;
  for (bool next : {false, true, false}) {
    EXPECT_EQ(box.m_checked, game.IsFullScreen()) << "before the click to full screen " << next;
    Click(kFullScreenBox);
    EXPECT_TRUE(FramesUntil(game, [&] { return game.IsFullScreen() == next; })) << "full screen " << next;
  }
  EXPECT_EQ(box.m_checked, game.IsFullScreen());
}

// A player who finished every main level has the bonus levels open; deleting that player leaves
// the next one without them.
TEST_F(MainMenu, DeletingAPlayerWhoFinishedEveryLevelClosesTheBonusLevels) {
  Vellgrove::g_UserProfileManager->AddProfile(L"Bo");
  Vellgrove::g_UserProfileManager->SetLevel("level02", "Two");
  Vellgrove::g_UserProfileManager->AddProfile(L"Ann");
  Vellgrove::g_UserProfileManager->SetLevel("done", "done");
  game.GetMenu()->m_userList->InsertFront(L"Bo");
  game.GetMenu()->m_userList->InsertFront(L"Ann");
  game.GetMenu()->Activate();
  EnterMenu();
  EXPECT_TRUE(game.GetMenu()->m_bonusButton->m_enabled);
  Click(kIfThis);
  Click(kProfileDelete);
  Click(kYes);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetCurrent()->m_name, L"Bo");
  EXPECT_FALSE(game.GetMenu()->m_bonusButton->m_enabled);
}

// Two players of one name: the row the player picks in the list is the one deleted, and the
// namesake keeps its progress, in the game and in the file.
TEST_F(MainMenu, DeletingTheOlderOfTwoNamesakesKeepsTheNewerOnesProgress) {
  const boost::shared_ptr<Vellgrove::VGUserProfile> newer = PickTheOlderOfTwoNamesakes().newer;
  Click(kProfileDelete);
  Click(kYes);
  ASSERT_EQ(Vellgrove::g_UserProfileManager->GetProfileNames(), std::vector<std::wstring>{L"ANN"});
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetCurrent(), newer);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), "level05");
  ASSERT_EQ(File().profiles.size(), 1u);
  EXPECT_EQ(File().profiles[0].m_level, "level05");
}

// Two players of one name: the row picked in the list is the player who goes on.
TEST_F(MainMenu, ChoosingTheOlderOfTwoNamesakesPlaysAsTheOlder) {
  const boost::shared_ptr<Vellgrove::VGUserProfile> older = PickTheOlderOfTwoNamesakes().older;
  Click(kProfileOk);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetCurrent(), older);
  EXPECT_EQ(Vellgrove::g_UserProfileManager->GetLevel(), "level02");
}

// Closing the game at the first start's prompt leaves a file without players.
TEST(MainMenuFile, AFirstStartClosedAtThePromptWritesNoPlayer) {
  GameTest::DocumentsFolder documents;
  {
    GameTest::GameDataDirectory data;
    TestSupport::LogCapture log;
    VellgroveGame game(false);
    game.DoInit("D3D9Render");
    game.Create(L"textures.xml", "Glintmoor Dawnkeel test", 1024, 768, 32, false);
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_MENU);
    for (int i = 0; i < 100; ++i) {
      Platform::Testing::AdvanceFakeClock(10);
      game.Update();
      game.RenderFrame();
    }
    EXPECT_EQ(game.GetMenu()->m_ui->GetActiveFormName(), "NewUser");
    game.GetGameMode()->ChangeMode(Vellgrove::VGGM_QUIT);
    for (int i = 0; i < 100 && !game.IsQuitRequested(); ++i) {
      Platform::Testing::AdvanceFakeClock(10);
      game.Update();
    }
  }
  const VGUsersFileContent content = Vellgrove::ReadUsersFile(documents.UsersFile().wstring());
  EXPECT_TRUE(content.profiles.empty());
  EXPECT_EQ(content.current, L"");
}

// Whoever has not finished the main levels learns why the bonus levels stay closed: the hint fades
// in while the pointer rests on their button and away once it leaves. The hover reaches the menu on
// the input thread while the main thread advances and draws the same fade.
TEST_F(MainMenu, TheClosedBonusLevelsHintFadesInOnTheirButtonAndAwayOffIt) {
  Vellgrove::g_UserProfileManager->AddProfile(L"BO");
  Vellgrove::g_UserProfileManager->SetLevel("level02", "Two");
  game.GetMenu()->m_userList->InsertFront(L"BO");
  game.GetMenu()->Activate();
  EnterMenu();
  ASSERT_FALSE(game.GetMenu()->m_bonusButton->m_enabled);
  const auto hintMode = [&] {
    KorvexEngine::TScopedLock<Vellgrove::VGLockGuard> hold(game.GetMenu()->m_lock);
    return game.GetMenu()->m_notAvailableFade->Mode;
  };
  // Pixels of the hint's place that differ clearly from the menu without it.
  const std::vector<DWORD> without = Picture(game);
  const auto hintPixels = [&] {
    const std::vector<DWORD> now = Picture(game);
    int changed = 0;
    for (int y = int(0.749f * 768); y < int(0.839f * 768); ++y) {
      for (int x = int(0.32f * 1024); x < int(0.71f * 1024); ++x) {
        const size_t at = size_t(y) * 1024 + size_t(x);
        for (int shift : {0, 8, 16}) {
          if (std::abs(int((now[at] >> shift) & 0xFF) - int((without[at] >> shift) & 0xFF)) > 24) {
            ++changed;
            break;
          }
        }
      }
    }
    return changed;
  };
  const Point onBonus = {0.311f + 0.4052734375f / 2, 0.371f + 0.09375f / 2}, offEverything = {0.05f, 0.95f};
  // Twice: each entry onto the button is one hover.
  for (int pass = 0; pass < 2; ++pass) {
    PointAt(game, onBonus.x, onBonus.y);
    ASSERT_TRUE(Until([&] { return hintMode() != KorvexEngine::FadedOut; })) << "pass " << pass;
    Frame(game, 2100, true);
    EXPECT_EQ(hintMode(), KorvexEngine::FadedIn);
    EXPECT_GT(hintPixels(), 200) << "the hint shows";
    PointAt(game, offEverything.x, offEverything.y);
    ASSERT_TRUE(Until([&] { return hintMode() == KorvexEngine::FadingOut; }));
    Frame(game, 2100, true);
    EXPECT_EQ(hintMode(), KorvexEngine::FadedOut);
    EXPECT_LT(hintPixels(), 20) << "and is gone again";
  }
}

// A whole game played headless, as a player plays it, with a documents folder of its own: the
// splash, a new player typed into the menu, the intro skipped, the map, the first level won by a
// wall drawn with the mouse and recognised by the network, the score and the trophy, the map
// again, the second level lost until the game is over, the menu, and quit. Every click, key and
// stroke goes through the window's events and the input thread. Each screen is kept as a picture
// in the build's output folder, and the players' file is read back at the end.
#include "KorvexApplication.h"
#include "RunningGame.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "VGLevelPack.h"
#include "VGUserProfileManager.h"
#include "VGUsersFile.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <filesystem>
#include <functional>
#include <string>

using Vellgrove::VellgroveGame;

namespace {

struct Point {
  float x, y;
};

Point Centre(const KorvexEngine::UI::SUIButton& button) {
  return {button.m_x + button.m_width / 2, button.m_y + button.m_height / 2};
}

// The main menu's dialogs stand at (0.2275390625, 0.18).
const Point kNameBox = {0.2275390625f + 0.13331875f + 0.1f, 0.18f + 0.18f + 0.045f};
const Point kNewUserOk = {0.2275390625f + 0.119791664f + 0.0464f, 0.18f + 0.42f + 0.0293f};
const Point kPlay = {0.31103515625f + 0.0976f, 0.501953125f + 0.0449f};
const Point kExit = {0.52099609375f + 0.0976f, 0.63346356f + 0.0449f};
const Point kYes = {0.2275390625f + 0.07682292f + 0.0786f, 0.18f + 0.25f + 0.0534f};
const Point kIntroSkip = {0.78076171875f + 0.0625f, 0.8743489385f + 0.0365f};
const Point kScoreOk = {0.75341796875f + 0.0625f, 0.8131510615f + 0.0508f};
const Point kTrophiesOk = {0.8588867f + 0.0464f, 0.89127606f + 0.0293f};
const Point kMapMenu = {0.03662109375f + 0.0513f, 0.8248698115f + 0.0273f};
const Point kInTheLevel = {0.65f, 0.82f};
const Point kResume = {0.217285156f + 0.125f, 0.339192718f + 0.0618f};

// Windows-1251 bytes of the Cyrillic letters A, n and ya: the name typed.
const std::string kTypedName = "\xC0\xED\xFF";
const std::wstring kStoredName = L"\x0410\x043D\x044F";

class WholeGame : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    m_pictures = std::filesystem::path(KORVEX_TEST_OUTPUT_DIR) / "whole-game";
    std::filesystem::remove_all(m_pictures);
    std::filesystem::create_directories(m_pictures);
  }

  int Mode() { return game.GetGameMode()->GetCurrent(); }
  void Step() { Frame(game, 10, true); }
  bool Until(const std::function<bool()>& condition) { return FramesUntil(game, condition); }
  bool Reach(int mode) { return RunningGame::Reach(game, mode); }
  void Settle() { RunningGame::Settle(game); }
  void MoveTo(Point at) { PointAt(game, at.x, at.y); }
  void Button(Point at, bool down) { RunningGame::Button(game, at.x, at.y, down); }
  void Click(Point at) { ClickAt(game, at.x, at.y); }
  void Key(SDL_Scancode key) { PressKey(game, key); }

  // The screen as the player sees it now.
  void Keep(const std::string& name) {
    Step();
    const std::vector<DWORD> pixels = Picture(game);
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (DWORD pixel : pixels) rgb.insert(rgb.end(), {(unsigned char)(pixel >> 16), (unsigned char)(pixel >> 8),
                                                      (unsigned char)pixel});
    stbi_write_png((m_pictures / (name + ".png")).c_str(), 1024, 768, 3, rgb.data(), 1024 * 3);
    bool drawn = false;
    for (size_t i = 0; i < pixels.size() && !drawn; i += 97) drawn = (pixels[i] & 0xFFFFFF) != 0;
    EXPECT_TRUE(drawn) << name << ": something is on the screen";
  }

  Vellgrove::VGMap& Map() { return *game.GetMap(); }

  // A wall drawn from the ground upwards, one pointer move a frame, the button held throughout.
  void DrawWall() {
    MoveTo(kInTheLevel);
    Button(kInTheLevel, true);
    const int x = int(kInTheLevel.x * 1024);
    for (int y = int(kInTheLevel.y * 768); y >= int(0.5f * 768); y -= 6) {
      Platform::Testing::InjectMouseMove(game.GetWindow()->m_window, x, y, 0, -6);
      ASSERT_TRUE(Until([&] { return PointerAt(game, x, y); }));
    }
    Button({kInTheLevel.x, 0.5f}, false);
  }

  VellgroveGame game{false};
  std::filesystem::path m_pictures;
};

}  // namespace

TEST_F(WholeGame, FromTheSplashToGameOverAndQuit) {
  Create(game);

  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU)) << "the splash gives way to the menu";
  ASSERT_TRUE(Until([&] { return game.GetMenu()->m_ui->GetActiveFormName() == "NewUser"; }));
  Keep("01-new-player");
  Click(kNameBox);
  for (char byte : kTypedName) game.OnChar(static_cast<BYTE>(byte));
  Settle();
  Click(kNewUserOk);
  Keep("02-menu");

  Click(kPlay);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_INTRO)) << "a new player's Play shows the intro";
  for (int i = 0; i < 300; ++i) Step();
  Keep("03-intro");
  Click(kIntroSkip);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  Keep("04-map");

  Click(Centre(*Map().GetPots()[0]));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LOADING));
  Keep("05-loading");
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  ASSERT_EQ(game.GetLevel()->Name, Vellgrove::g_LevelPack->GetLevelName(0));
  Key(SDL_SCANCODE_SPACE);
  ASSERT_FALSE(game.IsStartPause());
  DrawWall();
  Keep("06-level-with-wall");
  for (int i = 0; i < 9000 && Mode() == Vellgrove::VGGM_LEVEL; ++i) Frame(game, 10, i % 25 == 0);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_SCORE)) << "the first level is won";
  for (int i = 0; i < 100; ++i) Step();
  Keep("07-score");
  Click(kInTheLevel);  // a click ends the counting
  for (int i = 0; i < 30; ++i) Step();
  Click(kScoreOk);
  ASSERT_TRUE(Until([&] { return Mode() == Vellgrove::VGGM_TROPHIES || Mode() == Vellgrove::VGGM_MAP; }));
  if (Mode() == Vellgrove::VGGM_TROPHIES) {
    for (int i = 0; i < 300; ++i) Step();
    Keep("08-trophies");
    Click(kTrophiesOk);
  }
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  Keep("09-map-second-level");

  // The second level without a spell: every character lost, again and again, until no life is left.
  Click(Centre(*Map().GetPots()[1]));
  ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  ASSERT_EQ(game.GetLevel()->Name, Vellgrove::g_LevelPack->GetLevelName(1));
  Key(SDL_SCANCODE_SPACE);
  Key(SDL_SCANCODE_ESCAPE);
  ASSERT_TRUE(Until([&] { return game.GetGameMenu()->GetActiveFormName() == "GameMenuForm"; }));
  Keep("10-in-game-menu");
  Click(kResume);
  ASSERT_TRUE(Until([&] { return !game.IsPaused(); }));
  int starts = 0;
  for (int i = 0; i < 20000 && Mode() != Vellgrove::VGGM_GAMEOVER; ++i) {
    if (Mode() == Vellgrove::VGGM_LEVEL && game.IsStartPause() && game.GetGameMode()->GetPending() == 0) {
      Key(SDL_SCANCODE_SPACE);
      ++starts;
    }
    Frame(game, 10, i % 25 == 0);
  }
  ASSERT_TRUE(Reach(Vellgrove::VGGM_GAMEOVER));
  EXPECT_GE(starts, 1) << "played again after a failure";
  Keep("11-game-over");
  Click(kInTheLevel);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  Click(kMapMenu);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  Keep("12-menu-again");
  Click(kExit);
  Keep("13-are-you-sure");
  Click(kYes);
  for (int i = 0; i < 300 && !game.IsQuitRequested(); ++i) Step();
  ASSERT_TRUE(game.IsQuitRequested());
  Vellgrove::g_UserProfileManager->Save();

  const Vellgrove::VGUsersFileContent file = Vellgrove::ReadUsersFile(documents.UsersFile().wstring());
  ASSERT_EQ(file.profiles.size(), 1u);
  const Vellgrove::VGUserProfile& player = file.profiles.front();
  EXPECT_EQ(player.m_name, kStoredName);
  EXPECT_EQ(file.current, kStoredName);
  EXPECT_GT(player.m_score, 0u);
  EXPECT_EQ(player.m_level, Vellgrove::g_LevelPack->GetLevelName(1));
  EXPECT_EQ(player.m_lifes, 1u);
  EXPECT_EQ(player.m_trophies[0], 1u);
  ASSERT_FALSE(file.highScore.Entries().empty());
  EXPECT_EQ(file.highScore.Entries().front().m_name, kStoredName);
  EXPECT_EQ(file.highScore.Entries().front().m_bestScore, player.m_score);
  const std::wstring text = log.Text();
  EXPECT_EQ(text.find(L"rror"), std::wstring::npos) << std::string(text.begin(), text.end());
}

// A whole game played headless, as a player plays it, with a documents folder of its own: the
// splash, a new player typed into the menu, the intro skipped, the map, the first level won by a
// wall drawn with the mouse and recognised by the network, the score and the trophy, the map
// again, the second level lost until the game is over, the menu, and quit. Every click, key and
// stroke goes through the window's events and the input thread. Each screen is kept as a picture
// in the build's output folder, and the players' file is read back at the end.
//
// A second game plays the first three levels and the first bonus level through the same screens,
// each spell drawn as a stroke where and when the level's solution in tests/levels/ casts it.
#include "KorvexApplication.h"
#include "LevelModeRules.h"
#include "PainterCanvas.h"
#include "RunningGame.h"
#include "Solution.h"
#include "SUIApplication.h"
#include "SUIButton.h"
#include "VGLevelPack.h"
#include "VGUserProfileManager.h"
#include "VGUsersFile.h"
#include "VGWorld.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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
const Point kHighScores = {0.31103515625f + 0.0976f, 0.63346356f + 0.0449f};
const Point kHighScoreOk = {0.1f + 0.0464f, 0.85f + 0.0293f};
const Point kYes = {0.2275390625f + 0.07682292f + 0.0786f, 0.18f + 0.25f + 0.0534f};
const Point kIntroSkip = {0.78076171875f + 0.0625f, 0.8743489385f + 0.0365f};
const Point kScoreOk = {0.75341796875f + 0.0625f, 0.8131510615f + 0.0508f};
const Point kTrophiesOk = {0.8588867f + 0.0464f, 0.89127606f + 0.0293f};
const Point kMapMenu = {0.03662109375f + 0.0513f, 0.8248698115f + 0.0273f};
const Point kInTheLevel = {0.65f, 0.82f};
const Point kResume = {0.217285156f + 0.125f, 0.339192718f + 0.0618f};
const Point kBonusLevels = {0.311f + 0.2026f, 0.371f + 0.0469f};
// Out of every edge where the pointer pushes the level view.
const Point kStillPointer = {0.5f, 0.5f};
const float kPi = 3.14159265f;

// A spell's shape in the unit box, y downwards, as a hand draws it.
std::vector<Point> SpellShape(Vellgrove::VGToolType tool) {
  std::vector<Point> shape;
  // Part of an ellipse as wide as the box, from the angle `from`, centred at the height `middle`.
  const auto arc = [&shape](float from, float sweep, float middle, float radius) {
    for (int i = 0; i <= 32; ++i) {
      const float a = from + sweep * float(i) / 32;
      shape.push_back({0.5f + 0.5f * std::cos(a), middle + radius * std::sin(a)});
    }
  };
  switch (tool) {
    case Vellgrove::VGTT_WALL: return {{0.5f, 0}, {0.5f, 1}};  // from above down to the ground
    case Vellgrove::VGTT_BRIDGE: arc(kPi, kPi, 1, 1); return shape;  // from the left end over the top
    case Vellgrove::VGTT_WINDRIGHT: return {{0, 0}, {1, 0.5f}, {0, 1}};
    case Vellgrove::VGTT_WINDLEFT: return {{1, 0}, {0, 0.5f}, {1, 1}};
    case Vellgrove::VGTT_TELEPORT: arc(0, 2 * kPi, 0.5f, 0.5f); return shape;
  }
  return shape;
}

// The shape's outline walked in steps of a few pixels, laid over the box (fractions of the screen).
std::vector<Point> Walk(const std::vector<Point>& shape, Point centre, float width, float height) {
  const auto place = [&](Point p) {
    return Point{centre.x + (p.x - 0.5f) * width, centre.y + (p.y - 0.5f) * height};
  };
  const float step = 6.0f;
  std::vector<Point> points;
  for (size_t i = 0; i + 1 < shape.size(); ++i) {
    const Point a = place(shape[i]), b = place(shape[i + 1]);
    const float pixels = std::hypot((b.x - a.x) * 1024, (b.y - a.y) * 768);
    const int pieces = std::max(1, int(pixels / step));
    for (int k = 0; k < pieces; ++k) {
      const float t = float(k) / float(pieces);
      points.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
  }
  points.push_back(place(shape.back()));
  return points;
}

// Windows-1251 bytes of the Cyrillic letters A, n and ya: the name typed.
const std::string kTypedName = "\xC0\xED\xFF";
const std::wstring kStoredName = L"\x0410\x043D\x044F";

class WholeGame : public GameTest::RunningGame {
 protected:
  void SetUp() override {
    m_pictures = std::filesystem::path(KORVEX_TEST_OUTPUT_DIR) / "whole-game" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
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

  // The first start's dialog filled in with a typed name and confirmed: the menu for the new player.
  void NewPlayer(const std::string& typedName) {
    ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU)) << "the splash gives way to the menu";
    ASSERT_TRUE(Until([&] { return game.GetMenu()->m_ui->GetActiveFormName() == "NewUser"; }));
    Keep("01-new-player");
    Click(kNameBox);
    for (char byte : typedName) game.OnChar(static_cast<BYTE>(byte));
    Settle();
    Click(kNewUserOk);
    Keep("02-menu");
  }

  // The screens after a won level, each passed as a player passes it, until the map is back.
  void BackToTheMap(const std::string& picture) {
    const auto afterTheLevel = [&] {
      const int mode = Mode();
      return mode == Vellgrove::VGGM_COMICS || mode == Vellgrove::VGGM_SCORE || mode == Vellgrove::VGGM_TROPHIES ||
             mode == Vellgrove::VGGM_MAP;
    };
    for (int screens = 0; screens < 4 && Mode() != Vellgrove::VGGM_MAP; ++screens) {
      for (int i = 0; i < 3000 && !afterTheLevel(); ++i) Step();
      ASSERT_TRUE(afterTheLevel()) << "mode " << Mode() << " after the level";
      const int entered = Mode();
      ASSERT_TRUE(Reach(entered)) << "mode " << entered << " left for " << Mode();
      if (Mode() == Vellgrove::VGGM_COMICS) {
        for (int i = 0; i < 200; ++i) Step();
        Keep(picture + "-comics");
        Click(kIntroSkip);
        MoveTo(kStillPointer);
      } else if (Mode() == Vellgrove::VGGM_SCORE) {
        for (int i = 0; i < 100; ++i) Step();
        Keep(picture + "-score");
        Click(kInTheLevel);  // a click ends the counting
        for (int i = 0; i < 30; ++i) Step();
        Click(kScoreOk);
      } else if (Mode() == Vellgrove::VGGM_TROPHIES) {
        for (int i = 0; i < 300; ++i) Step();
        Keep(picture + "-trophies");
        Click(kTrophiesOk);
      }
      for (int i = 0; i < 3000 && Mode() == entered; ++i) Step();
    }
    ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  }

  // Seconds of the level's clock played so far.
  float Played() {
    const Vellgrove::VGLevel& level = *game.GetLevel();
    return level.PlayTime - level.m_remainingTime;
  }

  // The spot of the screen, in fractions, where the level shows a world point as it stands now: the
  // world is drawn through its scroll into the frame's level viewport.
  Point OnScreen(float worldX, float worldY) {
    const SCore::SVector3 scroll = game.GetLevel()->GetWorld()->m_scroll;
    const Vellgrove::VGFrame::Viewport& view = game.GetFrame()->m_levelViewport;
    return {(float(view.X) + (worldX + scroll.X) * float(view.Width)) / 1024.0f,
            (float(view.Y) + (worldY + scroll.Y) * float(view.Height)) / 768.0f};
  }

  // The stroke over the step's world box as the player sees that box on the screen: a wall an
  // upright line down its middle, a bridge an arch with its feet on the box's lower corners.
  std::vector<Point> StrokeFor(const LevelRunner::SolutionStep& step) {
    const Point topLeft = OnScreen(step.X - 0.5f * step.Width, step.Y - 0.5f * step.Height);
    const Point bottomRight = OnScreen(step.X + 0.5f * step.Width, step.Y + 0.5f * step.Height);
    const float width = step.Tool == Vellgrove::VGTT_WALL ? 0.0f : bottomRight.x - topLeft.x;
    return Walk(SpellShape(step.Tool), {0.5f * (topLeft.x + bottomRight.x), 0.5f * (topLeft.y + bottomRight.y)},
                width, bottomRight.y - topLeft.y);
  }

  // What the network makes of the stroke, painted as the level mode paints it.
  int Recognized(const std::vector<Point>& points) {
    Vellgrove::PainterCanvas canvas;
    for (const Point& p : points) canvas.Render(p.x - Vellgrove::kStrokeOffset, p.y - Vellgrove::kStrokeOffset);
    return game.GetRecognizer().Recognize(canvas.StrokeRows(canvas.EffectiveRectangle()));
  }

  // One pointer move with the button held, and one frame once the game has it there.
  void StrokeTo(Point from, Point to) {
    const int x = int(to.x * 1024), y = int(to.y * 768);
    Platform::Testing::InjectMouseMove(game.GetWindow()->m_window, x, y, x - int(from.x * 1024),
                                       y - int(from.y * 768));
    ASSERT_TRUE(TestSupport::WaitUntil([&] {
      PumpMessages();
      return PointerAt(game, x, y);
    }));
    Frame(game, 10, false);
  }

  void DrawSpell(const LevelRunner::SolutionStep& step) {
    const std::vector<Point> points = StrokeFor(step);
    ASSERT_EQ(Recognized(points), int(step.Tool)) << "line " << step.Line << ": the stroke reads as another spell";
    DrawStroke(points);
  }

  // The pointer taken through the points with the button held, one frame a point.
  void DrawStroke(const std::vector<Point>& points) {
    MoveTo(points.front());
    Button(points.front(), true);
    for (size_t i = 1; i < points.size(); ++i) StrokeTo(points[i - 1], points[i]);
    Button(points.back(), false);
  }

  // The level in play, its spells drawn when its solution casts them, until it is decided.
  void PlayBySolution(const std::string& level) {
    const std::vector<LevelRunner::SolutionStep> steps =
        LevelRunner::ReadSolution(std::string(KORVEX_SOURCE_DIR) + "/tests/levels/" + level + ".txt");
    ASSERT_EQ(game.GetLevel()->Name, level);
    MoveTo(kStillPointer);
    Key(SDL_SCANCODE_SPACE);
    ASSERT_FALSE(game.IsStartPause());
    for (const LevelRunner::SolutionStep& step : steps) {
      ASSERT_EQ(step.What, LevelRunner::SolutionStep::Spell) << level << " needs no scrolling";
      // The pointer's rests and the stroke's frames, so that the spell lands about on time.
      const float lead = 0.01f * float(StrokeFor(step).size() + 15);
      for (int i = 0; Mode() == Vellgrove::VGGM_LEVEL && Played() < float(step.At) - lead; ++i) {
        Frame(game, 10, i % 25 == 0);
      }
      DrawSpell(step);
      MoveTo(kStillPointer);
    }
    Keep(level + "-spells");
    for (int i = 0; i < 12000 && Mode() == Vellgrove::VGGM_LEVEL; ++i) Frame(game, 10, i % 25 == 0);
    ASSERT_NE(Mode(), Vellgrove::VGGM_LEVEL) << level << " is decided";
  }

  // A pot of the map's face clicked, the pointer taken off the level's scrolling edges while it loads.
  void OpenLevel(unsigned int pot) {
    Click(Centre(*Map().GetPots()[pot]));
    MoveTo(kStillPointer);
    ASSERT_TRUE(Reach(Vellgrove::VGGM_LEVEL));
  }

  // A wall drawn from above down into the ground, one pointer move a frame, the button held throughout.
  void DrawWall() {
    const float top = 0.5f;
    DrawStroke(Walk(SpellShape(Vellgrove::VGTT_WALL), {kInTheLevel.x, (kInTheLevel.y + top) / 2}, 0.0f,
                    kInTheLevel.y - top));
  }

  VellgroveGame game{false};
  std::filesystem::path m_pictures;
};

}  // namespace

TEST_F(WholeGame, FromTheSplashToGameOverAndQuit) {
  Create(game);
  NewPlayer(kTypedName);

  Click(kPlay);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_INTRO)) << "a new player's Play shows the intro";
  for (int i = 0; i < 300; ++i) Step();
  Keep("03-intro");
  Click(kIntroSkip);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  Keep("04-map");
  MoveTo(Centre(*Map().GetPots()[0]));
  for (int i = 0; i < 60; ++i) Step();  // the tooltip's fade
  Keep("04-map-tooltip");

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
  BackToTheMap("07");
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
  Click(kHighScores);
  Keep("12-high-scores");
  Click(kHighScoreOk);
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

TEST_F(WholeGame, ThreeLevelsAndABonusLevelWonByTheirSolutionsDrawnAsStrokes) {
  Create(game);
  NewPlayer("Wren");
  Click(kPlay);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_INTRO));
  Click(kIntroSkip);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));

  for (unsigned int k = 0; k < 3; ++k) {
    const std::string level = Vellgrove::g_LevelPack->GetLevelName(k);
    const unsigned int lives = Vellgrove::CurrentProfile()->m_lifes;
    OpenLevel(k);
    PlayBySolution(level);
    BackToTheMap(level);
    const boost::shared_ptr<Vellgrove::VGUserProfile> player = Vellgrove::CurrentProfile();
    EXPECT_EQ(player->m_trophies[k], 1u) << level << ": every character home in time";
    const std::wstring text = log.Text();
    EXPECT_EQ(player->m_level, Vellgrove::g_LevelPack->GetLevelName(k + 1)) << std::string(text.begin(), text.end());
    EXPECT_EQ(player->m_lifes, lives) << level << ": no character lost";
  }
  Keep("map-after-three-levels");

  // Every later main level is won by the level runner on its solution; the player is let past them
  // to the bonus levels, which open once the main levels are done.
  Vellgrove::g_UserProfileManager->SetLevel("done", "done");
  Click(kMapMenu);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MENU));
  ASSERT_TRUE(Until([&] { return bool(game.GetMenu()->m_bonusButton->m_enabled); }));
  Click(kBonusLevels);
  ASSERT_TRUE(Reach(Vellgrove::VGGM_MAP));
  ASSERT_TRUE(Map().m_isBonus);
  Keep("bonus-map");
  const std::string bonus = Vellgrove::g_BonusLevelPack->GetLevelName(0);
  OpenLevel(0);
  PlayBySolution(bonus);
  BackToTheMap(bonus);
  const boost::shared_ptr<Vellgrove::VGUserProfile> player = Vellgrove::CurrentProfile();
  EXPECT_TRUE(player->IsBonusLevelDone(0));
  EXPECT_EQ(player->m_level, "done") << "a bonus level leaves the main side alone";

  const std::wstring text = log.Text();
  EXPECT_EQ(text.find(L"rror"), std::wstring::npos) << std::string(text.begin(), text.end());
}

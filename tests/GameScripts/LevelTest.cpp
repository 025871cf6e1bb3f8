// Levels on the fake clock and the level pack, with the game's module and objects: ticks and their
// carry-over, pause, the camera's clamp and snap, the countdown, the spell area, the rules asked
// once, the reader's refusals, the pack's cursor, and where a drawn stroke lands in the world.
#include "LevelFixture.h"
#include "LevelModeRules.h"
#include "PainterCanvas.h"
#include "ScriptTestSupport.h"
#include "SXMLDeserializator.h"
#include "VGFrameWalls.h"
#include "VGLevel.h"
#include "VGLevelPack.h"
#include "VGPYGameObject.h"
#include "VGPythonObject.h"
#include "VGWorld.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <list>
#include <string>

using namespace Vellgrove;
using GameTest::LevelText;
using TestSupport::MessageOf;

namespace {

const std::string kSpareWall = "<O Name=\"Wall\"><Position X=\"0\" Y=\"-0.5\" Z=\"0\"></Position></O>";
const std::string kHero = "<O Name=\"Tovemmar\"><Position X=\"0.5\" Y=\"0.5\" Z=\"0\"></Position></O>";

class Levels : public GameTest::LevelFixture {
 protected:
  std::wstring WritePack(const std::string& name, const std::vector<std::string>& levels) {
    std::string pack = "<LevelPack>";
    for (const std::string& level : levels) {
      const std::string path = folder.Write(level + ".xml", LevelText(level));
      pack += "<L Path=\"" + path + "\" Name=\"" + level + "\"></L>";
    }
    const std::string path = folder.Write(name, pack + "</LevelPack>");
    return std::wstring(path.begin(), path.end());
  }

  static void Read(VGLevelPack& pack, const std::wstring& path) {
    SCore::SXMLDeserializator reader(path);
    pack.DoDeserialize(reader);
  }
};

}  // namespace

TEST_F(Levels, WorldTicksFollowTheClockInTensOfMillisecondsCarryingTheRest) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText("ticks"));
  Platform::Testing::AdvanceFakeClock(5000);
  EXPECT_NEAR(FrameTicks(*level, 0), 1.0f, 1e-3) << "the first update runs one tick however late it comes";
  struct Frame {
    unsigned int milliseconds;
    bool paused;
    float ticks;
  };
  // 25 leaves 5 over, 7 makes 12 (2 over), 8 makes 10; paused time is dropped, not saved up.
  const Frame frames[] = {{25, false, 2}, {7, false, 1}, {8, false, 1}, {100, true, 0}, {7, false, 0}, {3, false, 1}};
  for (const Frame& frame : frames) {
    EXPECT_NEAR(FrameTicks(*level, frame.milliseconds, frame.paused), frame.ticks, 1e-3)
        << frame.milliseconds << " ms" << (frame.paused ? " paused" : "");
  }
  for (int i = 0; i < 200; ++i) FrameTicks(*level, 10);
  EXPECT_EQ(level->m_remainingTime, 0.0f) << "the countdown stops at 0";
}

TEST_F(Levels, TheCameraStaysOnTheLevelAndSnapsToHalfPixels) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText("camera"));
  for (int frame = 0; frame < 1000; ++frame) {
    level->ScrollXMinus();
    FrameTicks(*level, 10);
    ASSERT_GE(level->GetCameraBody().Position.X, -2.0f);
    ASSERT_LE(level->GetCameraBody().Position.X, 0.0f);
  }
  EXPECT_EQ(level->GetCameraBody().Position.X, -2.0f) << "pushed to the right edge";
  EXPECT_EQ(level->GetCameraBody().Velocity.X, 0.0f) << "and stopped there";
  EXPECT_NEAR(level->GetWorld()->m_scroll.X, -2.0f - 0.00055803574f, 1e-6);
  for (int frame = 0; frame < 5; ++frame) {
    level->ScrollYPlus();
    FrameTicks(*level, 10);
  }
  EXPECT_EQ(level->GetCameraBody().Position.Y, 0.0f) << "a level one screen high never scrolls in y";
}

TEST_F(Levels, SpellsReachTheScriptsOnlyInsideTheAreaAndForTheLevelsTools) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText("spells", "", kSpareWall + kSpareWall));
  EXPECT_FALSE(level->ProcessTool(VGTT_WALL, 0.9995f, 0.5f, 0.02f, 0.3f)) << "outside the area";
  EXPECT_FALSE(level->ProcessTool(VGTT_BRIDGE, 0.5f, 0.5f, 0.3f, 0.02f)) << "not a tool of this level";
  EXPECT_TRUE(level->ProcessTool(VGTT_WALL, 0.999f, 0.5f, 0.02f, 0.3f)) << "the area's edge is inside";
  const auto& walls = level->GetWorld()->GetStaticObjects();
  walls.front()->RefreshCache();
  EXPECT_NEAR(walls.front()->GetPosition().X + walls.front()->GetHalfSize().X, 1.0f, 1e-5) << "placed on the point";
  EXPECT_NEAR(walls.front()->GetHalfSize().Y, 0.15f, 1e-6) << "as high as the stroke";
  EXPECT_TRUE(level->ProcessTool(VGTT_WALL, 0.2f, 0.5f, 0.02f, 0.3f));
  EXPECT_FALSE(level->ProcessTool(VGTT_WALL, 0.3f, 0.5f, 0.02f, 0.3f)) << "no spare wall left";
}

TEST_F(Levels, TheRulesReportEachOutcomeOnceAndALevelWithoutCharactersHasNone) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText("rules", "", kHero));
  std::list<boost::shared_ptr<VGPythonObject>> actors;
  level->GetActors(actors);
  ASSERT_EQ(actors.size(), 1u);
  EXPECT_FALSE(level->IsDone());
  level->GetWorld()->GetActors().front()->Disable();
  TestSupport::ScriptName out("is_out");
  actors.front()->SetPropertyValueBoolean(out, true);
  EXPECT_TRUE(level->IsDone());
  EXPECT_FALSE(level->IsDone()) << "reported once";
  EXPECT_FALSE(level->IsFailed());

  const boost::shared_ptr<VGLevel> empty = Make(LevelText("empty"));
  std::list<boost::shared_ptr<VGPythonObject>> none;
  empty->GetActors(none);
  EXPECT_TRUE(none.empty());
}

TEST_F(Levels, BadLevelFilesAreRefusedNamingTheProblem) {
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  const std::string twoWalls = "<T ToolType=\"VGTT_WALL\" GameObject=\"VGGOT_WALL\"></T>"
                               "<T ToolType=\"VGTT_WALL\" GameObject=\"VGGOT_BRIDGE\"></T>";
  const Case cases[] = {
      {"two tools of a type", LevelText("twice", "", "", twoWalls), "Tool already exist"},
      {"a tutorial that is not there", LevelText("taught", " Help=\"Levels\\nohelp.xml\""), "nohelp.xml"},
      {"narrower than the view", LevelText("narrow", "", "", "", "SizeX=\"0.5\" SizeY=\"1\""),
       "level [narrow]: SizeX and SizeY must be at least 1"},
      {"an unknown object", LevelText("odd", "", "<O Name=\"Unicorn\"></O>"), "Game Object:Unicorn not found"},
  };
  for (const Case& c : cases) {
    const std::string message = MessageOf([&] { Make(c.text); });
    EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    EXPECT_NE(message.find("VGLevel::DoDeserialize()"), std::string::npos) << c.what;
  }
}

TEST_F(Levels, ThePackKeepsItsCursorAndAnswersDoneAfterItsLastLevel) {
  VGLevelPack pack;
  EXPECT_EQ(pack.GetCurrentLevelName(), "done") << "a new pack";
  Read(pack, WritePack("empty.xml", {}));
  EXPECT_EQ(pack.GetCurrentLevelShowName(), "done");
  EXPECT_EQ(pack.GetLevelIndex("done"), 0u);

  const std::wstring three = WritePack("three.xml", {"a", "b", "c"});
  Read(pack, three);
  EXPECT_EQ(pack.GetLevelIndex("done"), 3u);
  EXPECT_EQ(pack.GetCurrentLevelShowName(), "Shown a");
  EXPECT_TRUE(pack.Next());
  EXPECT_TRUE(pack.Next());
  EXPECT_FALSE(pack.Next());
  EXPECT_EQ(pack.GetCurrentLevelName(), "done");
  EXPECT_NE(MessageOf([&] { pack.Next(); }).find("no current level"), std::string::npos);
  EXPECT_NE(MessageOf([&] { pack.GetLevel(); }).find("no current level"), std::string::npos);
  EXPECT_NE(MessageOf([&] { pack.GetLevelName(3); }).find("no level at index 3"), std::string::npos);

  struct Move {
    const char* to;
    const char* lands;
  };
  const Move moves[] = {{"", "a"}, {"c", "c"}, {"nowhere", "c"}, {"None", "done"}, {"b", "b"}};
  for (const Move& move : moves) {
    pack.SetCurrentLevel(move.to);
    EXPECT_EQ(pack.GetCurrentLevelName(), move.lands) << "to [" << move.to << "]";
  }
  EXPECT_EQ(pack.GetLevelIndex("nowhere"), 0u);

  Read(pack, three);
  EXPECT_EQ(pack.GetLevelIndex("done"), 3u) << "a second read replaces the levels";
  EXPECT_EQ(pack.GetCurrentLevelName(), "b") << "and keeps the cursor's level";
  EXPECT_EQ(pack.GetLevel()->Name, "b");
}

TEST_F(Levels, APackLevelThatFailsToReadNamesItsFile) {
  const std::string bad = folder.Write("bad.xml", LevelText("bad", "", "<O Name=\"Unicorn\"></O>"));
  VGLevelPack pack;
  pack.AddLevel("bad", std::wstring(bad.begin(), bad.end()));
  pack.Reset();
  const std::string message = MessageOf([&] { pack.GetLevel(); });
  EXPECT_NE(message.find("bad.xml"), std::string::npos) << message;
  VGLevelPack broken;
  const std::string noShowName = folder.Write("noshow.xml", "<Level Name=\"x\"></Level>");
  const std::string list = folder.Write("broken.xml", "<LevelPack><L Path=\"" + noShowName + "\" Name=\"x\"></L></LevelPack>");
  EXPECT_NE(MessageOf([&] { Read(broken, std::wstring(list.begin(), list.end())); }).find("ShowName"), std::string::npos);
}

// A replay makes the level again from the pack in the same process: it plays exactly as before.
TEST_F(Levels, AShippedLevelPlayedTwiceInOneProcessMovesTheSame) {
  VGLevelPack pack;
  Read(pack, L"Levels\\levelpack.xml");
  std::vector<float> runs[2];
  for (std::vector<float>& trajectory : runs) {
    pack.Reset();
    const boost::shared_ptr<VGLevel> level = pack.GetLevel();
    AddFrameWalls(*level);
    for (int frame = 0; frame < 300; ++frame) {
      Platform::Testing::AdvanceFakeClock(frame % 3 == 0 ? 33 : 10);
      level->Update(false);
      if (frame % 50 == 0) Frame([&] { level->Render(); });
      for (const auto& actor : level->GetWorld()->GetActors()) trajectory.push_back(actor->GetPosition().X);
    }
  }
  EXPECT_EQ(runs[0], runs[1]);
}

// A small world drawn and read back: objects in view, a disabled one not, and the pointers to a
// portal out of view above and to the left.
TEST_F(Levels, TheWorldDrawsWhatIsInViewAndPointsAtAPortalOutOfIt) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText(
      "drawn", "",
      "<O Name=\"Ground\"><Position X=\"0.5\" Y=\"0.8\" Z=\"0\"></Position><HalfSize X=\"0.25\" Y=\"0.05\" Z=\"0\">"
      "</HalfSize></O><O Name=\"Wall\"><Position X=\"0.1\" Y=\"0.5\" Z=\"0\"></Position></O>"
      "<O Name=\"Portal\"><Position X=\"-0.5\" Y=\"-0.5\" Z=\"0\"></Position></O>"));
  VGWorld& world = *level->GetWorld();
  world.UpdateSpritesState();
  const std::vector<DWORD> pixels = Frame([&] { world.Render(); });
  const auto lit = [&](float x, float y) { return (At(pixels, x, y) & 0x00FFFFFF) != 0; };
  EXPECT_TRUE(lit(0.75f, 0.85f)) << "the ground in view";
  EXPECT_FALSE(lit(0.12f, 0.6f)) << "the spare wall is disabled";
  EXPECT_TRUE(lit(0.05f, 0.05f)) << "the pointer at the top left corner";
  EXPECT_TRUE(lit(0.11f, 0.14f)) << "the portal's pointer beside it";
  EXPECT_FALSE(lit(0.5f, 0.3f)) << "nothing in the empty sky (no backdrop in this level)";
}

// A stroke drawn anywhere in the level view, scrolled or not, is handed to the level as the world
// box under it: the canvas covers the whole screen and the level is drawn in the frame's viewport
// through the camera's scroll, so the stroke goes back through both. The canvas has a pixel for
// every 4 by 3 screen pixels, the closest the box can follow the pointer.
TEST_F(Levels, AStrokeBecomesTheWorldBoxUnderItWhereverTheViewIsScrolled) {
  const boost::shared_ptr<VGLevel> level = Make(LevelText("strokes", "", "", "", "SizeX=\"3\" SizeY=\"2\""));
  level->m_moveAttenuation = 0.1f;
  VGFrame::Viewport view;
  view.X = 128;
  view.Width = 896;
  view.Height = 732;
  const float screenWidth = 1024.0f, screenHeight = 768.0f;
  struct Stroke {
    const char* where;
    float left, top, right, bottom;  // screen pixels
  };
  // Arches of 100 by 60 pixels at the view's corners (20 pixels in: the canvas starts 2% into the
  // screen) and at its centre, and a tall narrow one.
  const Stroke strokes[] = {
      {"top left", 150, 20, 250, 80},        {"top right", 900, 20, 1000, 80},
      {"bottom left", 150, 650, 250, 710},   {"bottom right", 900, 650, 1000, 710},
      {"centre", 526, 336, 626, 396},        {"a tall narrow one", 570, 100, 582, 600},
  };
  const float pixelX = screenWidth / 256.0f / float(view.Width), pixelY = screenHeight / 256.0f / float(view.Height);
  for (int scrolled = 0; scrolled < 2; ++scrolled) {
    for (int frame = 0; scrolled && frame < 80; ++frame) {
      level->ScrollXMinus();
      level->ScrollYMinus();
      FrameTicks(*level, 10);
    }
    const SCore::SVector3 scroll = level->GetWorld()->m_scroll;
    if (scrolled) {
      ASSERT_LT(scroll.X, -0.3f) << "the view has moved right";
      ASSERT_LT(scroll.Y, -0.3f) << "and down";
    }
    for (const Stroke& stroke : strokes) {
      SCOPED_TRACE(std::string(stroke.where) + (scrolled ? ", scrolled" : ""));
      PainterCanvas canvas;
      const float middle = 0.5f * (stroke.left + stroke.right);
      for (const float* point : {&stroke.left, &middle, &stroke.right}) {
        const float y = point == &middle ? stroke.top : stroke.bottom;
        canvas.Render(*point / screenWidth - kStrokeOffset, y / screenHeight - kStrokeOffset);
      }
      const ToolPlacement tool = PlaceStroke(canvas.EffectiveRectangle(), screenWidth, screenHeight, view,
                                             level->m_toolArea);
      const VGLevel::WorldPoint centre = level->ToolPointToWorld(tool.X, tool.Y);
      // The world under a screen pixel, as the level is drawn there.
      const auto worldX = [&](float x) { return (x - float(view.X)) / float(view.Width) - scroll.X; };
      const auto worldY = [&](float y) { return (y - float(view.Y)) / float(view.Height) - scroll.Y; };
      EXPECT_NEAR(centre.X, 0.5f * (worldX(stroke.left) + worldX(stroke.right)), pixelX);
      EXPECT_NEAR(centre.Y, 0.5f * (worldY(stroke.top) + worldY(stroke.bottom)), pixelY);
      EXPECT_NEAR(tool.Width, worldX(stroke.right) - worldX(stroke.left), pixelX);
      EXPECT_NEAR(tool.Height, worldY(stroke.bottom) - worldY(stroke.top), pixelY);
    }
  }
}

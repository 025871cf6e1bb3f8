// Where the level rules put a drawn bridge or wall, and how walkers meet what the spells make: in
// small levels with the game's module and objects, spells handed over as the world box of the
// stroke, as the level mode hands them.
#include "LevelFixture.h"
#include "VGFrameWalls.h"
#include "VGGameObjectType.h"
#include "VGLevel.h"
#include "VGPYGameObject.h"
#include "VGSoundManager.h"
#include "VGWorld.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;
using GameTest::LevelText;

namespace {

const float kGroundTop = 0.8f;

std::string Object(const std::string& name, float x, float y, const std::string& half = "") {
  std::string text = "<O Name=\"" + name + "\"><Position X=\"" + std::to_string(x) + "\" Y=\"" + std::to_string(y) +
                     "\" Z=\"0\"></Position>";
  if (!half.empty()) text += half;
  return text + "</O>";
}

// Ground from left to right whose top is top.
std::string Ground(float left, float right, float top = kGroundTop) {
  return Object("Ground", left, top,
                "<HalfSize X=\"" + std::to_string(0.5f * (right - left)) + "\" Y=\"0.075\" Z=\"0\"></HalfSize>");
}

// A character standing on ground whose top is top, facing right.
std::string Walker(float x, float top = kGroundTop) { return Object("Tovemmar", x, top - 0.105f); }

std::string Spares(const std::string& name) { return Object(name, 0.1f, -0.6f) + Object(name, 0.1f, -0.6f); }

const std::string kTools = "<T ToolType=\"VGTT_WALL\" GameObject=\"VGGOT_WALL\"></T>"
                           "<T ToolType=\"VGTT_BRIDGE\" GameObject=\"VGGOT_BRIDGE\"></T>"
                           "<T ToolType=\"VGTT_WINDRIGHT\" GameObject=\"VGGOT_WINDRIGHT\"></T>";

// A stroke's box in world units: its centre and size.
struct Box {
  float x, y, width, height;
};

class SpellRules : public GameTest::LevelFixture {
 protected:
  boost::shared_ptr<VGLevel> MakeLevel(const std::string& objects) {
    const boost::shared_ptr<VGLevel> level =
        Make(LevelText("spells", "", objects + Spares("Wall") + Spares("Bridge") + Spares("WindRight"), kTools));
    AddFrameWalls(*level);
    return level;
  }

  // The spell as the level mode hands it over: the stroke's centre in the tool area of the view.
  static bool Cast(VGLevel& level, VGToolType tool, const Box& box) {
    const VGLevel::ToolArea& area = level.m_toolArea;
    const SCore::SVector3 scroll = level.GetWorld()->m_scroll;
    return level.ProcessTool(tool, (box.x + scroll.X) * area.Width + area.X,
                             (box.y + scroll.Y) * area.Height + area.Y, box.width, box.height);
  }

  // The enabled object of that type placed last.
  static VGPYGameObject& Placed(VGLevel& level, VGGameObjectType type) {
    VGPYGameObject* found = nullptr;
    for (const auto& object : level.GetWorld()->GetStaticObjects()) {
      if (object->GetGameObjectType() == unsigned(type) && object->IsEnable()) found = object.get();
    }
    EXPECT_NE(found, nullptr) << "nothing placed";
    found->RefreshCache();
    return *found;
  }

  static VGPYGameObject& Hero(VGLevel& level) { return *level.GetWorld()->GetActors().front(); }

  static void Play(VGLevel& level, float seconds) {
    for (int frame = 0; frame < int(seconds * 100.0f); ++frame) FrameTicks(level, 10);
  }
};

}  // namespace

// The gap runs from 0.7 to 0.98; an arch as a person draws it has its feet on the two edges, maybe
// a little above or below them, maybe a little wider or narrower.
TEST_F(SpellRules, AnArchWithItsFeetOnAGapsEdgesLaysAPlankLevelWithTheGroundThatWalkersCross) {
  const float height = 0.08f, exactY = kGroundTop - 0.5f * height;
  struct Arch {
    float feetBelow;  // of the ground's top; negative is above it
    float widthScale;
  };
  const Arch arches[] = {{0.0f, 1.0f}, {-0.04f, 1.0f}, {0.015f, 1.0f}, {0.0f, 0.85f}, {0.0f, 1.15f}, {-0.04f, 0.85f},
                         {0.015f, 1.15f}};
  for (const Arch& arch : arches) {
    SCOPED_TRACE("feet " + std::to_string(arch.feetBelow) + " below, width x" + std::to_string(arch.widthScale));
    const boost::shared_ptr<VGLevel> level = MakeLevel(Ground(0.0f, 0.7f) + Ground(0.98f, 1.6f) + Walker(0.5f));
    ASSERT_TRUE(Cast(*level, VGTT_BRIDGE, {0.84f, exactY + arch.feetBelow, 0.32f * arch.widthScale, height}));
    VGPYGameObject& plank = Placed(*level, VGGOT_BRIDGE);
    EXPECT_NEAR(plank.GetPosition().Y, kGroundTop, 1e-5) << "its top level with the ground";
    EXPECT_NEAR(plank.GetHalfSize().X, 0.16f * arch.widthScale, 1e-5) << "as wide as the arch";
    Play(*level, 9.0f);
    EXPECT_GT(Hero(*level).GetPosition().X, 1.2f) << "the walker has crossed";
    EXPECT_TRUE(Hero(*level).IsEnable()) << "alive";
  }
}

TEST_F(SpellRules, APlankRestsOnTheHigherOfUnevenEndsOnOneEndAloneOrAtTheArchsFeetAndIsNoWiderThanTheView) {
  struct Case {
    const char* what;
    std::string ground;
    Box arch;
    float top, half;
  };
  const Case cases[] = {
      {"ends at 0.8 and 0.78", Ground(0.0f, 0.7f) + Ground(0.98f, 1.6f, 0.78f), {0.84f, 0.76f, 0.32f, 0.08f}, 0.78f,
       0.16f},
      {"one end on ground", Ground(0.0f, 0.7f), {0.84f, 0.76f, 0.32f, 0.08f}, 0.8f, 0.16f},
      {"ground far below the feet", Ground(0.0f, 1.6f), {0.84f, 0.5f, 0.32f, 0.08f}, 0.54f, 0.16f},
      {"a stroke across the whole screen", "", {1.0f, 0.5f, 1.12f, 0.08f}, 0.54f, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const boost::shared_ptr<VGLevel> level = MakeLevel(c.ground);
    ASSERT_TRUE(Cast(*level, VGTT_BRIDGE, c.arch));
    VGPYGameObject& plank = Placed(*level, VGGOT_BRIDGE);
    EXPECT_NEAR(plank.GetPosition().Y, c.top, 1e-5);
    EXPECT_NEAR(plank.GetHalfSize().X, c.half, 1e-5);
    EXPECT_NEAR(plank.GetPosition().X + plank.GetHalfSize().X, c.arch.x, 1e-5) << "centred under the arch";
  }
}

// A wall drawn downwards towards the ground at 0.8, stopping short of it or going into it.
TEST_F(SpellRules, AWallDrawnDownToTheGroundStandsOnItAtTheStrokesHeight) {
  struct Case {
    float strokeBottom, strokeHeight, wallBottom;
  };
  const Case cases[] = {{0.8f, 0.3f, 0.8f},  {0.74f, 0.3f, 0.8f}, {0.87f, 0.24f, 0.8f}, {0.71f, 0.36f, 0.8f},
                        {0.6f, 0.3f, 0.6f},   {0.95f, 0.3f, 0.95f}};
  for (const Case& c : cases) {
    SCOPED_TRACE("stroke down to " + std::to_string(c.strokeBottom));
    const boost::shared_ptr<VGLevel> level = MakeLevel(Ground(0.0f, 1.6f));
    ASSERT_TRUE(Cast(*level, VGTT_WALL, {0.9f, c.strokeBottom - 0.5f * c.strokeHeight, 0.02f, c.strokeHeight}));
    VGPYGameObject& wall = Placed(*level, VGGOT_WALL);
    EXPECT_NEAR(wall.GetPosition().Y + 2.0f * wall.GetHalfSize().Y, c.wallBottom, 1e-5);
    EXPECT_NEAR(wall.GetHalfSize().Y, 0.5f * c.strokeHeight, 1e-5) << "as tall as the stroke";
  }
}

// A walker meets a ledge 0.015 high (a plank settled a hair above the ground is less) and one 0.04 high.
TEST_F(SpellRules, AWalkerStepsUpALowLedgeAndTurnsAtAHigherOne) {
  struct Case {
    float rise;
    bool climbs;
  };
  for (const Case c : {Case{0.015f, true}, Case{0.04f, false}}) {
    SCOPED_TRACE("a ledge " + std::to_string(c.rise) + " high");
    const boost::shared_ptr<VGLevel> level = MakeLevel(Ground(0.0f, 0.8f) + Ground(0.8f, 1.6f, kGroundTop - c.rise) +
                                                       Walker(0.6f));
    Play(*level, 4.0f);
    VGPYGameObject& hero = Hero(*level);
    hero.RefreshCache();
    EXPECT_EQ(hero.GetPosition().X > 0.85f, c.climbs) << "at " << hero.GetPosition().X;
  }
}

// A wind blowing a walker into a wall: it turns there once, with one knock, stays turned while the
// wind holds it against the wall, and walks away once the wind has blown out.
TEST_F(SpellRules, AWalkerAWindHoldsAgainstAWallTurnsOnce) {
  // The knock of a walker turning at a wall, heard through the game's one sound manager.
  struct CollideSound {
    CollideSound() {
      g_SoundManager.reset(new VGSoundManager(nullptr));
      g_SoundManager->AddSound("Collide", "sounds\\collide.wav", 1);
    }
    ~CollideSound() { g_SoundManager.reset(); }
  } collide;
  const boost::shared_ptr<VGLevel> level = MakeLevel(Ground(0.0f, 1.6f) + Walker(0.5f));
  ASSERT_TRUE(Cast(*level, VGTT_WALL, {0.62f, 0.65f, 0.02f, 0.3f}));
  ASSERT_TRUE(Cast(*level, VGTT_WINDRIGHT, {0.52f, 0.7f, 0.1f, 0.1f}));
  int knocks = 0;
  for (int frame = 0; frame < 600; ++frame) {
    g_SoundManager->StopSound("Collide");
    FrameTicks(*level, 10);
    knocks += g_SoundManager->IsPlaying("Collide") ? 1 : 0;
  }
  EXPECT_EQ(knocks, 1);
  VGPYGameObject& hero = Hero(*level);
  hero.RefreshCache();
  EXPECT_LT(hero.GetPosition().X, 0.4f) << "walking away after the wind";
}

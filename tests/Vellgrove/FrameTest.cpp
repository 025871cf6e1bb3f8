// The in-level frame with textures of one colour each: what it draws where, the spell icons, the
// lives as pots or as a count, the sun, the one-second wait of its decorations and the level's
// viewport.
#include "GameScreenFixture.h"
#include "GameSprites.h"
#include "VGFrame.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <string>

using namespace Vellgrove;

namespace {

const DWORD kBottomBar = 0xFF2040A0, kLeftBar = 0xFF403020, kSun = 0xFFF0C000, kSpell = 0xFF00C0C0,
            kPot = 0xFFC00040;

class Frame : public GameTest::GameScreenFixture {
 protected:
  void SetUp() override {
    GameScreenFixture::SetUp();
    Platform::Testing::SetFakeClock(1000);
    const std::pair<const char*, DWORD> textures[] = {
        {"BOTTOMBAR", kBottomBar}, {"LEFTBAR", kLeftBar}, {"BOLVANLU", 0xFF101010}, {"BOLVANLD", 0xFF101010},
        {"SCORESMALL", 0xFF202020}, {"SUN", kSun}, {"SUNEYEL", 0xFFFFFFFF}, {"SPELLWALL", kSpell},
        {"SPELLBRIDGE", kSpell}, {"SPELLWINDRIGHT", kSpell}, {"SPELLWINDLEFT", kSpell}, {"SPELLTELEPORT", kSpell},
        {"LIFEPOT", kPot}};
    for (const auto& texture : textures) {
      viewport->GetTextureManager()->AddTexture(Texture(texture.first, 8, 8, texture.second));
    }
    frame.reset(new VGFrame);
    frame->m_lifeIcon = VGSpriteCreator::CreateTexturedSprite("LIFEPOT", 0);
    frame->m_lifeIcon->SetSize(0.0126953125f, 0.0169270802f);
  }

  std::vector<DWORD> Drawn() {
    return GameScreenFixture::Frame([&] { frame->Render(); });
  }

  boost::shared_ptr<VGFrame> frame;
};

}  // namespace

TEST_F(Frame, ItsBarsAndSunAppearOnceAWholeSecondHasPassed) {
  EXPECT_EQ(At(Drawn(), 0.5f, 0.98f), kBlack) << "not in the first second";
  Platform::Testing::AdvanceFakeClock(1000);
  const std::vector<DWORD> pixels = Drawn();
  EXPECT_EQ(At(pixels, 0.5f, 0.98f), kBottomBar);
  EXPECT_EQ(At(pixels, 0.06f, 0.6f), kLeftBar);
  EXPECT_EQ(At(pixels, 0.2f, 0.09f), kSun) << "the sun is drawn from the start";
  frame->m_showSun = false;
  EXPECT_NE(At(Drawn(), 0.2f, 0.09f), kSun);
}

TEST_F(Frame, SpellIconsLineUpInTheLevelsOrder) {
  Platform::Testing::AdvanceFakeClock(1000);
  for (const char* tool : {"VGTT_WALL", "VGTT_BRIDGE", "VGTT_WINDRIGHT", "VGTT_WINDLEFT", "VGTT_TELEPORT"}) {
    frame->AddTool(tool);
  }
  const float expected[] = {0.188f, 0.263f, 0.338f, 0.413f, 0.488f};
  for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(frame->m_tools[i].second->Position.X, expected[i], 1e-6);
  const std::vector<DWORD> pixels = Drawn();
  EXPECT_EQ(At(pixels, 0.52f, 0.95f), kSpell);
  EXPECT_NE(At(pixels, 0.6f, 0.93f), kSpell) << "nothing after the fifth";
}

TEST_F(Frame, LivesShowAsPotsUpToSevenAndAsACountFromEight) {
  struct Case {
    int lives;
    int pots;
  };
  const Case cases[] = {{-1, 0}, {0, 0}, {3, 3}, {7, 7}, {8, 1}};
  for (const Case& c : cases) {
    frame->m_lives = c.lives;
    const std::vector<DWORD> pixels = Drawn();
    int pots = 0;
    for (int i = 0; i < 8; ++i) pots += At(pixels, 0.005f + 0.0127f * (float(i) + 0.5f), 0.215f) == kPot;
    EXPECT_EQ(pots, c.pots) << c.lives << " lives";
  }
}

TEST_F(Frame, TheLevelGetsTheScreenRightOfTheLeftEighthAboveTheBottomBar) {
  EXPECT_EQ(frame->m_levelViewport.X, 50u);
  EXPECT_EQ(frame->m_levelViewport.Y, 0u);
  EXPECT_EQ(frame->m_levelViewport.Width, 350u);
  EXPECT_EQ(frame->m_levelViewport.Height, 285u);
}

TEST_F(Frame, AnUnknownSpellIconFailsNamingItsTexture) {
  try {
    frame->AddTool("VGTT_FLY");
    FAIL() << "an icon without a texture";
  } catch (const SCore::KorvexCoreException& failure) {
    EXPECT_NE(std::string(failure.what()).find("SPELLFLY"), std::string::npos) << failure.what();
    EXPECT_NE(std::string(failure.what()).find("VGFrame::AddTool()"), std::string::npos) << failure.what();
  }
}

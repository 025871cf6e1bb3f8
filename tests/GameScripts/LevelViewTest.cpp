// The level's view with the game's module and objects: where the camera's scroll lands on the
// pixel grid, and the pointer to an object that has no direction from the view's centre.
#include "GameDataFixture.h"
#include "SXMLDeserializator.h"
#include "VGLevel.h"
#include "VGPYGameObject.h"
#include "VGWorld.h"

#include "Platform/TestHooks.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using Vellgrove::VGLevel;

namespace {

class LevelView : public GameTest::GameDataFixture {
 protected:
  void SetUp() override {
    GameDataFixture::SetUp();
    Platform::Testing::SetFakeClock(50000);
  }

  // A level three views wide and two high whose view starts at (startX, startY), with the objects.
  static boost::shared_ptr<VGLevel> Make(const std::string& startX, const std::string& startY,
                                         const std::string& objects) {
    SCore::SXMLDeserializator reader;
    reader.DoParseText("<Level Name=\"view\" ShowName=\"View\" SizeX=\"3\" SizeY=\"2\" PosX=\"" + startX +
                       "\" PosY=\"" + startY + "\" PlayTime=\"1\" Sun=\"0\"><Tools></Tools><World><GameObjects>" +
                       objects + "</GameObjects><BackGround></BackGround></World></Level>");
    const boost::shared_ptr<VGLevel> level(new VGLevel("UnknownLevel"));
    level->DoDeserialize(reader);
    return level;
  }
};

}  // namespace

// A view started 0.30001 into the level stands 268.81 of the view's 896 pixels across and 219.61 of
// its 732 down. The scroll keeps the whole pixels toward the level's origin, 268 and 219, each less
// half a pixel; flooring or rounding would put the level a pixel further on both axes.
TEST_F(LevelView, TheScrollKeepsTheWholePixelsTowardTheLevelsOrigin) {
  const boost::shared_ptr<VGLevel> level = Make("0.30001", "0.30001", "");
  Platform::Testing::AdvanceFakeClock(10);
  level->Update(false);
  ASSERT_EQ(level->GetCameraBody().Position.X, -0.30001f) << "the camera rests where the level starts it";
  ASSERT_EQ(level->GetCameraBody().Position.Y, -0.30001f);
  const SCore::SVector3 scroll = level->GetWorld()->m_scroll;
  EXPECT_NEAR(scroll.X, -268.5f / 896.0f, 1e-6f);
  EXPECT_NEAR(scroll.Y, -219.5f / 732.0f, 1e-6f);
}

// A portal flung off past the top and the left edge without end has no direction from the view's
// centre (infinity over infinity); the player still sees its pointer in the top left corner.
TEST_F(LevelView, APortalWithoutADirectionIsStillPointedAt) {
  const boost::shared_ptr<VGLevel> level =
      Make("0", "0", "<O Name=\"Portal\"><Position X=\"1.5\" Y=\"0.5\" Z=\"0\"></Position></O>");
  Vellgrove::VGWorld& world = *level->GetWorld();
  ASSERT_EQ(world.GetDynamicObjects().size(), 1u);
  const float far = -std::numeric_limits<float>::infinity();
  world.GetDynamicObjects().front()->SetPosition({far, far, 0.0f});
  world.UpdateSpritesState();
  const std::vector<DWORD> pixels = Frame([&] { world.Render(); });
  EXPECT_NE(At(pixels, 0.05f, 0.05f) & 0x00FFFFFF, 0u) << "the pointer in the top left corner";
}

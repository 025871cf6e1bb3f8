// The comics the game ships: every comics of the pack loads with the game's textures and shows its
// page of panels through its camera.
#include "RunningGame.h"
#include "SXMLDeserializator.h"
#include "VGComics.h"
#include "VGComicsPack.h"
#include "VGLevelPack.h"

using Vellgrove::VellgroveGame;

namespace {

class ShippedComics : public GameTest::RunningGame {};

}  // namespace

TEST_F(ShippedComics, EveryComicsOfThePackLoadsAndShowsItsPanels) {
  VellgroveGame game(false);
  Create(game);
  Vellgrove::VGComicsPack pack(game.GetInputMessager());
  SCore::SXMLDeserializator reader(L"Levels\\comics.xml");
  pack.DoDeserialize(reader);
  ASSERT_GE(pack.GetCount(), 2u);
  size_t found = 0;
  for (unsigned int level = 0; level < Vellgrove::g_LevelPack->GetLevelCount(); ++level) {
    const std::string name = Vellgrove::g_LevelPack->GetLevelName(level);
    const boost::shared_ptr<Vellgrove::VGComics> comics = pack.GetComics(name);
    if (!comics) continue;
    ++found;
    // The whole page, as the camera first shows it: the first panel's caption box among the rest.
    Platform::Testing::AdvanceFakeClock(1000);
    comics->Update();
    const std::vector<DWORD> picture = PictureOf(game, [&] { comics->Render(); });
    bool captioned = false;
    for (size_t i = 0; i < picture.size() && !captioned; ++i) captioned = (picture[i] & 0x00FFFFFF) > 0x00A0A0A0;
    EXPECT_TRUE(captioned) << name << ": a pale caption box on the page";
    EXPECT_FALSE(comics->IsFinished()) << name;
  }
  EXPECT_EQ(found, pack.GetCount()) << "every entry names a level of the pack";
  Quit(game);
}

// The game's own data in its working directory: a device with the texture list loaded as the game
// loads it, the configuration and the font's glyphs, the interpreter with the game's module and
// the object list.
#pragma once

#include "FontGlyphs.h"
#include "GameScreenFixture.h"
#include "LoadTextureList.h"
#include "VGConfiguration.h"
#include "VGGameObjectFactory.h"
#include "VGPYFactory.h"

namespace GameTest {

class GameDataFixture : public GameScreenFixture {
 protected:
  GameDataFixture() : GameScreenFixture(false) {}

  void SetUp() override {
    Vellgrove::VGPYFactory::Init();
    GameScreenFixture::SetUp();
    Vellgrove::ReadConfiguration(L"config.xml");
    if (Vellgrove::g_FontGlyphs.empty()) Vellgrove::LoadFontGlyphs();
    Vellgrove::LoadTextureList(viewport, L"textures.xml");
    Vellgrove::VGGameObjectFactory::LoadGameObjects(L"gameobjects\\quessaworldNEW.xml");
  }
};

}  // namespace GameTest

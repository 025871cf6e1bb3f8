// The game's own data in its working directory: a device with the texture list loaded as the game
// loads it, the interpreter with the game's module and the object list.
#pragma once

#include "GameScreenFixture.h"
#include "LoadTextureList.h"
#include "VGGameObjectFactory.h"
#include "VGPYFactory.h"

namespace GameTest {

class GameDataFixture : public GameScreenFixture {
 protected:
  GameDataFixture() : GameScreenFixture(false) {}

  void SetUp() override {
    Vellgrove::VGPYFactory::Init();
    GameScreenFixture::SetUp();
    Vellgrove::LoadTextureList(viewport, L"textures.xml");
    Vellgrove::VGGameObjectFactory::LoadGameObjects(L"gameobjects\\quessaworldNEW.xml");
  }
};

}  // namespace GameTest

#include "HeadlessGame.h"

#include "FontGlyphs.h"
#include "LoadTextureList.h"
#include "PythonStartUp.h"
#include "SViewportFactory.h"
#include "SXMLDeserializator.h"
#include "VGConfiguration.h"
#include "VGGameObjectFactory.h"
#include "VGLevelPack.h"
#include "VGPYFactory.h"
#include "VGSpriteCreator.h"

#include <stdexcept>

namespace LevelRunner {

namespace {

const int kWidth = 1024;
const int kHeight = 768;

void ReadPack(Vellgrove::VGLevelPack& pack, const wchar_t* path, float force, float attenuation) {
  pack.m_moveForce = force;
  pack.m_moveAttenuation = attenuation;
  SCore::SXMLDeserializator reader{std::wstring(path)};
  pack.DoDeserialize(reader);
}

}  // namespace

HeadlessGame::HeadlessGame() {
  m_window = CreateWindowExA(0, "LevelRunner", "LevelRunner", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                             nullptr, nullptr);
  if (m_window == nullptr) throw std::runtime_error("can't make the window");
  m_viewport = SCore::SViewportFactory::CreateViewport("D3D9Render");
  m_device = m_viewport->GetRenderDevice();
  m_device->Create(m_window, kWidth, kHeight, 0, 0);
  Vellgrove::VGSpriteCreator::SetViewport(m_viewport);
  Vellgrove::LoadTextureList(m_viewport, L"textures.xml");
  Vellgrove::StartPython();
  Vellgrove::VGGameObjectFactory::LoadGameObjects(L"gameobjects\\quessaworldNEW.xml");
  ReadLevelPacks();
}

HeadlessGame::~HeadlessGame() {
  Vellgrove::g_LevelPack.reset(new Vellgrove::VGLevelPack);
  Vellgrove::g_BonusLevelPack.reset(new Vellgrove::VGLevelPack);
  Vellgrove::VGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
  Vellgrove::VGPYFactory::ReleaseGlobals();
  Vellgrove::FinishPython();
  m_device.reset();
  m_viewport.reset();
  DestroyWindow(m_window);
}

void HeadlessGame::ReadLevelPacks() {
  const Vellgrove::VGConfiguration configuration = Vellgrove::ReadConfiguration(L"config.xml");
  Vellgrove::LoadFontGlyphs();
  ReadPack(*Vellgrove::g_LevelPack, L"Levels\\levelpack.xml", configuration.moveForce, configuration.moveAttenuation);
  ReadPack(*Vellgrove::g_BonusLevelPack, L"Levels\\bonuslevelpack.xml", configuration.moveForce,
           configuration.moveAttenuation);
}

}  // namespace LevelRunner

// UI controls on a headless device, driven through the UI input pump by an injected cursor, a held
// left button and queued keys, as the window would drive them.
#pragma once

#include "DrawableTestSupport.h"
#include "FakeUIInput.h"
#include "IUIEvent.h"
#include "SSprite.h"
#include "SUIControl.h"
#include "SUIMessageManager.h"

#include "Platform/InputEvents.h"
#include "Platform/Win32Input.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <atomic>

namespace UITest {

// Counts its invocations.
class Counter : public KorvexEngine::UI::IUIEvent {
 public:
  void Invoke() override { ++count; }
  std::atomic<int> count{0};
};

class UIFixture : public RenderTest::DrawableFixture {
 protected:
  // The name under which the glyph atlas is in the viewport's texture manager.
  static constexpr const char* kAtlas = "Picture";

  void SetUp() override {
    DrawableFixture::SetUp();
    Platform::InputEvents::Reset();
    Platform::InputEvents::CursorMovedTo(0, 0);
    input = boost::make_shared<FakeInput>();
    pump = boost::make_shared<KorvexEngine::UI::SUIMessageManager>(input);
    viewport->GetTextureManager()->AddTexture(White());
    width = float(device->GetWidth());
    height = float(device->GetHeight());
  }
  void TearDown() override {
    pump.reset();
    input.reset();
    Platform::InputEvents::Reset();
    DrawableFixture::TearDown();
  }

  // Registers the control with the pump after giving it the viewport.
  template <typename Control>
  boost::shared_ptr<Control> Listening(const boost::shared_ptr<Control>& control) {
    control->m_viewport = viewport;
    pump->AddListener(control);
    return control;
  }

  // A one-colour sprite placed by its left-upper corner.
  boost::shared_ptr<KorvexEngine::SSprite> Sprite(DWORD colour) {
    const auto sprite = boost::make_shared<KorvexEngine::SSprite>("Noname sprite", false);
    Prepare(*sprite, Texture(1, 1, {colour}));
    sprite->DoCreate(viewport);
    sprite->CoordAligment = 1;
    return sprite;
  }

  void Tick() { pump->Poll(); }
  // Fractions of the render target, as client pixels.
  void MoveTo(float x, float y) { Platform::InputEvents::CursorMovedTo(int(x * width), int(y * height)); }
  void Hold(bool held) { input->HoldLeftButton(held); }
  // Press, then release without moving, one tick each.
  void ClickAt(float x, float y) {
    MoveTo(x, y);
    Tick();
    Hold(true);
    Tick();
    Hold(false);
    Tick();
  }
  void TypeKey(BYTE key) {
    pump->QueueKeyDown(key);
    pump->QueueKeyUp(key);
    Tick();
  }
  void TypeChars(const std::string& text) {
    for (char character : text) pump->QueueChar(BYTE(character));
    Tick();
  }

  // One frame on black with the control drawn; the pixels before presenting.
  std::vector<DWORD> Frame(KorvexEngine::UI::SUIControl& control) {
    device->DoClearScene(0, 0, 0);
    device->DoClearScene(1.0f);
    device->DoBeginScene();
    control.Render(0.0f, 0.0f);
    std::vector<DWORD> pixels = BackBufferPixels();
    device->EndScene();
    return pixels;
  }
  // The pixel at fractions of the back buffer.
  static DWORD PixelAtFraction(const std::vector<DWORD>& pixels, float x, float y) { return At(pixels, int(x * kWidth), int(y * kHeight)); }

  boost::shared_ptr<FakeInput> input;
  boost::shared_ptr<KorvexEngine::UI::SUIMessageManager> pump;
  float width = 0.0f;
  float height = 0.0f;
};

}  // namespace UITest

#include "VGSkipForm.h"

#include "SUIButton.h"
#include "VGSpriteCreator.h"

#include <boost/make_shared.hpp>

namespace Vellgrove {

namespace {

using KorvexEngine::SSprite;
using KorvexEngine::UI::SUIButton;
using KorvexEngine::UI::SUIForm;

// 799.5, 671.5, 128 and 56 pixels of a 1024 by 768 screen.
const float kX = 0.78076171875f;
const float kY = 0.8743489385f;
const float kWidth = 0.125f;
const float kHeight = 0.0729166642f;
const float kFaceSplit = 0.4375f;
const float kFaceBottom = 0.875f;

boost::shared_ptr<SSprite> Face(float top, float bottom) {
  const boost::shared_ptr<SSprite> face = VGSpriteCreator::CreateTexturedSprite("SKIPBTNACTPAS", 1);
  face->TexCoords = {0.0f, top, 1.0f, bottom};
  return face;
}

}  // namespace

boost::shared_ptr<SUIForm> CreateSkipForm(const boost::shared_ptr<KorvexEngine::UI::IUIEvent>& onSkip) {
  const boost::shared_ptr<SCore::SViewport> viewport = VGSpriteCreator::GetRenderDevice();
  const boost::shared_ptr<SUIForm> form = boost::make_shared<SUIForm>("Intro");
  form->m_viewport = viewport;
  form->m_x = form->m_y = 0.0f;
  form->m_width = form->m_height = 1.0f;
  form->m_enabled = false;

  const boost::shared_ptr<SUIButton> button = boost::make_shared<SUIButton>();
  button->m_viewport = viewport;
  button->m_x = kX;
  button->m_y = kY;
  button->m_width = kWidth;
  button->m_height = kHeight;
  const boost::shared_ptr<SSprite> face = Face(0.0f, kFaceSplit);
  button->m_normalSprite = face;
  button->m_downSprite = face;
  button->m_overSprite = Face(kFaceSplit, kFaceBottom);
  button->m_clickCallback = onSkip;
  form->AddControl(button);
  return form;
}

}  // namespace Vellgrove

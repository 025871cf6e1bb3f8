#pragma once

#include "SLockGuard.h"
#include "SSpriteTransition.h"
#include "STextureFontTransition.h"
#include "SUILabel.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace KorvexEngine {
namespace UI {

// A label beside a button that appears while the cursor is over the button, optionally fading in
// and out. The button places and fills it on the input thread while the main thread draws it, so
// both go through the tooltip's own lock.
class SUIToolTip : public SUIControl {
 public:
  SUIToolTip();
  ~SUIToolTip() override;

  bool HitTest(float x, float y) override;
  void OnMouseOver() override {}
  void OnMouseDown(float, float) override {}
  void OnMouseOut() override {}
  void DoRender(float dx, float dy) override;

  void Create(float cellWidth, float cellHeight, float spacing, unsigned int maxCharacters,
              const std::string& textureName, float glyphColumns, float glyphRows, float uOffset, float vOffset,
              float uScale, float vScale);
  // Any mode but 0 fades; that needs the label's background sprite (raises SEngineException without it).
  void SetFadeMode(int mode);
  // Each starts a fade only when the tooltip changes between shown and hidden.
  void Show();
  void Hide();
  // Moves the label to (x, y) and gives it the text.
  void Place(float x, float y, const std::wstring& text);
  boost::shared_ptr<STextureFont> GetFont() const { return m_label->GetFont(); }

  boost::shared_ptr<SUILabel> m_label;
  bool m_shown;
  int m_placement;  // 1 below the button, anything else above it
  float m_offsetX;
  float m_offsetY;
  int m_fadeMode;
  boost::shared_ptr<SSpriteTransition> m_spriteTransition;
  boost::shared_ptr<STextureFontTransition> m_fontTransition;
  bool m_fixedWidth;

 private:
  bool Fading() const { return m_fadeMode != 0; }
  // mode: 1 fades in, 0 out.
  void StartFade(int mode);

  SLockGuard m_lock;
};

}  // namespace UI
}  // namespace KorvexEngine

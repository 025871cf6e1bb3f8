#pragma once

#include "SAnimator.h"
#include "STextureFont.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

// Fades a texture font's alpha between 0 and 255 over the fade time; started like SSpriteTransition.
class STextureFontTransition : public SCore::SAnimator {
 public:
  // fadeTime in milliseconds, greater than 0.
  explicit STextureFontTransition(float fadeTime);
  ~STextureFontTransition() override;

  void DoUpdate(DWORD elapsedMilliseconds) override;

  boost::shared_ptr<STextureFont> Font;
  float m_fadeTime;
  int Mode = 3;

 private:
  int AlphaOfMode(float sine) const;
};

}  // namespace KorvexEngine

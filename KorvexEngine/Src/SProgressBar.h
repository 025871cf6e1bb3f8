#pragma once

#include "SSprite.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

namespace KorvexEngine {

// A fraction shown as a fill sprite over a back sprite that spans the whole bar, filling from the
// left or, when IsVertical is non-zero, from the bottom. The owner sets both sprites' positions,
// texture coordinates and materials, then Progress, and calls Update before drawing.
class SProgressBar {
 public:
  SProgressBar();
  virtual ~SProgressBar();

  // Both sprites draw through the viewport, placed by their left-upper corners.
  void Create(const boost::shared_ptr<SCore::SViewport>& viewport);
  virtual void Update();
  virtual void DoRender();

  SSprite BackSprite;
  SSprite FillSprite;
  int IsVertical = 0;
  float Progress = 0.0f;
};

}  // namespace KorvexEngine

#pragma once

#include "PainterCanvas.h"

#include "SSprite.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// The trail the player sees while drawing a spell: one animated particle sprite drawn at a thinned-out
// set of the stroke's pixels, each copy a frame further on in the animation than the one before.
class VGParticles {
 public:
  explicit VGParticles(const boost::shared_ptr<KorvexEngine::SSprite>& sprite);
  virtual ~VGParticles();

  // rows and rect as the painter gives them; the canvas covers the whole screen.
  void Render(const PainterCanvas::Rows& rows, const StrokeRect& rect);

  const boost::shared_ptr<KorvexEngine::SSprite>& GetSprite() const { return m_sprite; }

 private:
  void Place(unsigned int row, unsigned int column, const StrokeRect& rect, float phase);

  boost::shared_ptr<KorvexEngine::SSprite> m_sprite;
};

}  // namespace Vellgrove

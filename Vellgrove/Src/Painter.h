#pragma once

#include "PainterCanvas.h"

#include "SSprite.h"
#include "STexture.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// The canvas the player draws a spell on. The pixels live in a PainterCanvas (the code the network's
// trainer draws with); the texture "PaintingSprite" shows them and is refreshed whenever they change.
class Painter {
 public:
  static constexpr int kSide = PainterCanvas::kSide;

  // Makes and registers the texture "PaintingSprite" (a second painter fails on the taken name) and a
  // full-screen sprite showing it.
  explicit Painter(const boost::shared_ptr<SCore::SViewport>& viewport);
  virtual ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // Adds one point in canvas fractions, joined to the previous one by a line.
  void Render(float u, float v);
  void Clear();
  void CalculateEffectiveRectangle(StrokeRect& rect) const;
  // The drawn bytes inside the stroke's rectangle; valid until the next call.
  const PainterCanvas::Rows& GetStrokeBitmap(StrokeRect& rect);

  const boost::shared_ptr<KorvexEngine::SSprite>& GetSprite() const { return m_sprite; }
  const boost::shared_ptr<SCore::STexture>& GetTexture() const { return m_texture; }
  const PainterCanvas& GetCanvas() const { return m_canvas; }

 private:
  void CreateTexture();
  void CreateSprite();
  // Copies the canvas into level 0 of the texture: drawn pixels opaque white, the rest all zero.
  void Upload();

  boost::shared_ptr<KorvexEngine::SSprite> m_sprite;
  boost::shared_ptr<SCore::SViewport> m_viewport;
  boost::shared_ptr<SCore::STexture> m_texture;
  PainterCanvas m_canvas;
  PainterCanvas::Rows m_strokeRows;
  // The game clears the canvas on every frame the button is up: an empty canvas is not sent again.
  bool m_textureBlank = false;
};

}  // namespace Vellgrove

#include "STextureAnimatorFrame.h"

#include "SDeserializator.h"
#include "SSerializator.h"
#include "srethrow.h"

#include <cmath>

namespace SCore {

namespace {

const char* const kSourcePath = ".\\Src\\STextureAnimatorFrame";

// Truncated onto the texel grid of a texture of that many texels.
float SnapToTexel(float coordinate, float texels) { return std::trunc(coordinate * texels) / texels; }

}  // namespace

STextureAnimatorFrame::STextureAnimatorFrame() : STextureAnimatorFrame("UNKNOWN", 0, 0) {}

STextureAnimatorFrame::STextureAnimatorFrame(const std::string& name, unsigned int columns, unsigned int rows)
    : STextureAnimator(name, FRAME), FrameHorizontal(columns), FrameVertical(rows) {}

void STextureAnimatorFrame::DoAnimate(float seconds) {
  const unsigned int cells = CellCount();
  // The owner may have changed the grid after the matrices were built.
  if (Transforms.size() != cells) {
    CalculateTransforms();
    TransformsReady = true;
  }
  const DWORD counter = CellCounter(StartPhase * float(cells) + AnimationSpeed * seconds);
  if (State == 2 && counter >= cells) State = 1;
  const unsigned int cell = Inverse ? cells - 1 - counter % cells : counter % cells;
  RequireTexture().Transform = Transforms[cell];
}

void STextureAnimatorFrame::CalculateTransforms() {
  KORVEX_TRY
    Transforms.clear();
    TransformsReady = false;
    const unsigned int cells = CellCount();
    STexture& texture = RequireTexture();
    const float width = float(texture.GetWidth());
    const float height = float(texture.GetHeight());
    if (width == 0.0f || height == 0.0f)
      throw KorvexCoreException(("texture animator's texture has no size:" + texture.GetName()).c_str());
    const float cellWidth = Indent.Width / float(FrameHorizontal);
    const float cellHeight = Indent.Height / float(FrameVertical);
    Transforms.reserve(cells);
    for (unsigned int row = 0; row < FrameVertical; ++row) {
      for (unsigned int column = 0; column < FrameHorizontal; ++column) {
        SMatrix cell;
        cell.f11 = cellWidth;
        cell.f22 = cellHeight;
        cell.f44 = 1.0f;
        cell.f31 = SnapToTexel(Indent.X + float(column) * cellWidth, width);
        cell.f32 = SnapToTexel(Indent.Y + float(row) * cellHeight, height);
        Transforms.push_back(cell);
      }
    }
  KORVEX_RETHROW("STextureAnimatorFrame::CalculateTransforms()", kSourcePath)
}

void STextureAnimatorFrame::SerializeOwnValues(SSerializator& serializator) {
  serializator.DoSerialize("FrameHorizontal", FrameHorizontal);
  serializator.DoSerialize("FrameVertical", FrameVertical);
  serializator.DoSerialize("AnimationSpeed", AnimationSpeed);
  serializator.DoSerialize("Inverse", Inverse);
  serializator.DoSerialize("Indent", Indent);
}

void STextureAnimatorFrame::DeserializeOwnValues(SDeserializator& deserializator) {
  deserializator.DoDeserialize("FrameHorizontal", FrameHorizontal);
  deserializator.DoDeserialize("FrameVertical", FrameVertical);
  deserializator.DoDeserialize("AnimationSpeed", AnimationSpeed);
  Inverse = false;
  if (deserializator.DoIsAvialableName("Inverse")) deserializator.DoDeserialize("Inverse", Inverse);
  if (deserializator.DoIsHaveChild("Indent")) {
    deserializator.DoDeserialize("Indent", Indent);
    TransformsReady = false;
  }
}

unsigned int STextureAnimatorFrame::CellCount() const {
  if (FrameHorizontal == 0 || FrameVertical == 0)
    throw KorvexCoreException(("texture animator has an empty frame grid:" + Name).c_str());
  return FrameHorizontal * FrameVertical;
}

// The counter runs modulo 2^32, so that a negative speed plays the cells backwards; a counter that
// is not a number cannot pick a cell.
DWORD STextureAnimatorFrame::CellCounter(float cells) const {
  if (!std::isfinite(cells))
    throw KorvexCoreException(("texture animator's frame counter is not finite:" + Name).c_str());
  const double kCounterRange = 4294967296.0;
  double counter = std::fmod(std::trunc(double(cells)), kCounterRange);
  if (counter < 0.0) counter += kCounterRange;
  return DWORD(counter);
}

}  // namespace SCore

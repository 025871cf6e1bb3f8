#include "VGParticles.h"

#include "STextureAnimator.h"
#include "smath_matrix.h"
#include "srethrow.h"

namespace Vellgrove {

namespace {

const char* const kSourcePath = "..\\Src\\VGParticles";
// Particles closer than this to the last one placed would only blur the trail.
const unsigned int kMinimumSquaredDistance = 64;
// With the 36-frame sheet, consecutive particles are one frame apart.
const float kPhaseStep = 1.0f / 36.0f;
const unsigned int kNoParticleYet = 1000000;
const float kTexel = 1.0f / 256.0f;

unsigned int Distance(unsigned int a, unsigned int b) { return a > b ? a - b : b - a; }

}  // namespace

VGParticles::VGParticles(const boost::shared_ptr<KorvexEngine::SSprite>& sprite) : m_sprite(sprite) {}

VGParticles::~VGParticles() = default;

void VGParticles::Render(const PainterCanvas::Rows& rows, const StrokeRect& rect) {
  KORVEX_TRY
    if (rows.empty() || rows[0].empty()) return;
    unsigned int lastRow = kNoParticleYet;
    unsigned int lastColumn = kNoParticleYet;
    float phase = 0.0f;
    for (unsigned int r = 0; r < rows.size(); ++r) {
      for (unsigned int c = 0; c < rows[r].size(); ++c) {
        if (rows[r][c] == 0) continue;
        if (lastRow != kNoParticleYet) {
          const unsigned int dr = Distance(lastRow, r);
          const unsigned int dc = Distance(lastColumn, c);
          if (dr * dr + dc * dc <= kMinimumSquaredDistance) continue;
        }
        Place(r, c, rect, phase);
        phase += kPhaseStep;
        lastRow = r;
        lastColumn = c;
      }
    }
  KORVEX_RETHROW("VGParticles::Render()", kSourcePath)
}

void VGParticles::Place(unsigned int row, unsigned int column, const StrokeRect& rect, float phase) {
  m_sprite->SetPosition(float(column) * kTexel + float(rect.x) * kTexel, float(row) * kTexel + float(rect.y) * kTexel);
  if (m_sprite->Material.Animator1) m_sprite->Material.Animator1->StartPhase = phase;
  const SCore::SMatrix identity = SCore::SMatrixIdentity();
  m_sprite->Render(&identity);
}

}  // namespace Vellgrove

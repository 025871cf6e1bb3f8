#include "SProgressBar.h"

#include "smath_matrix.h"
#include "srethrow.h"

namespace KorvexEngine {

namespace {

const char* const kSource = ".\\Src\\sprogressbar";

}  // namespace

SProgressBar::SProgressBar() : BackSprite("Noname sprite", false), FillSprite("Noname sprite", false) {}

SProgressBar::~SProgressBar() = default;

void SProgressBar::Create(const boost::shared_ptr<SCore::SViewport>& viewport) {
  KORVEX_TRY
    for (SSprite* sprite : {&BackSprite, &FillSprite}) {
      sprite->m_Viewport = viewport;
      sprite->DoCreate(viewport);
      sprite->CoordAligment = 1;
    }
  KORVEX_RETHROW("SProgressBar::Create()", kSource)
}

void SProgressBar::Update() {
  const float rest = 1.0f - Progress;
  if (IsVertical == 0) {
    FillSprite.TexCoords.Width = BackSprite.TexCoords.Width * Progress;
    FillSprite.Position.Width = BackSprite.Position.Width * Progress;
    BackSprite.CacheValid = false;
  } else {
    FillSprite.TexCoords.Y = rest * FillSprite.TexCoords.Height;
    FillSprite.Position.Y = BackSprite.Position.Y + rest * BackSprite.Position.Height;
    FillSprite.Position.Height = Progress * BackSprite.Position.Height;
    if (!BackSprite.WithTransform) BackSprite.CacheValid = false;
  }
  FillSprite.CacheValid = false;
}

void SProgressBar::DoRender() {
  KORVEX_TRY
    const SCore::SMatrix identity = SCore::SMatrixIdentity();
    BackSprite.Render(&identity);
    FillSprite.Render(&identity);
  KORVEX_RETHROW("SProgressBar::DoRender()", kSource)
}

}  // namespace KorvexEngine

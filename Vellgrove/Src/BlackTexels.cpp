#include "BlackTexels.h"

#include "SEngineException.h"

#include <algorithm>
#include <string>

namespace Vellgrove {

namespace {

const UINT kTexelsWritten = 4;

UINT TexelsOfFirstRow(SCore::STexture& black) {
  D3DSURFACE_DESC description{};
  if (black.GetNative() == nullptr || FAILED(black.GetNative()->GetLevelDesc(0, &description))) {
    throw KorvexEngine::SEngineException("the texture BLACK has no level 0");
  }
  if (description.Format != D3DFMT_A8R8G8B8) {
    throw KorvexEngine::SEngineException(
        ("the texture BLACK must be A8R8G8B8 (format 21), not format " + std::to_string(int(description.Format)))
            .c_str());
  }
  return std::min(kTexelsWritten, description.Width);
}

}  // namespace

void WriteBlackAlpha(SCore::STexture& black, int alpha) {
  D3DLOCKED_RECT locked{};
  black.DoLockRect(0, &locked, nullptr, 0);
  try {
    DWORD* texels = static_cast<DWORD*>(locked.pBits);
    std::fill(texels, texels + TexelsOfFirstRow(black), DWORD(alpha) << 24);
  } catch (...) {
    black.DoUnlockRect(0);
    throw;
  }
  black.DoUnlockRect(0);
}

}  // namespace Vellgrove

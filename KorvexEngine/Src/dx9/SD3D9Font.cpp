#include "SD3D9Font.h"

#include "SD3D9DeviceLock.h"
#include "SD3D9NativeObjects.h"
#include "SD3D9RenderDevice.h"
#include "SD3D9ResultTexts.h"
#include "srethrow.h"

#include <boost/pointer_cast.hpp>

#include <cstring>

namespace SCore {

namespace {

const char* const kSource = ".\\Src\\dx9\\SD3D9Font";

LOGFONTA FontDescription() {
  LOGFONTA description{};
  description.lfHeight = 32;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = ANTIALIASED_QUALITY;
  std::strncpy(description.lfFaceName, "Arial", LF_FACESIZE - 1);
  return description;
}

}  // namespace

SD3D9Font::~SD3D9Font() { Release(); }

void SD3D9Font::DoCreate(const boost::shared_ptr<SRenderDevice>& device) {
  KORVEX_TRY
    SD3D9DeviceLock hold(*device);
    const LOGFONTA description = FontDescription();
    ID3DXFont* created = nullptr;
    RaiseIfFailed(D3DXCreateFontIndirect(hold.Native(), &description, &created), "can't create font: ",
                  {{}, "UNKNOWN ERROR"});
    Release();
    m_native = created;
    const boost::shared_ptr<SD3D9RenderDevice> d3d9 = boost::dynamic_pointer_cast<SD3D9RenderDevice>(device);
    if (d3d9) d3d9->RegisterFont(m_native);
    m_registeredWith = d3d9;
  KORVEX_RETHROW("SD3D9Font::DoCreate", kSource)
}

void SD3D9Font::DoDrawText(int left, int top, int right, int bottom, const std::string& text, D3DCOLOR color,
                           DWORD format) {
  KORVEX_TRY
    if (m_native == nullptr) return;
    RECT rectangle;
    SetRect(&rectangle, left, top, right, bottom);
    m_native->Begin();
    m_native->DrawTextA(text.c_str(), -1, &rectangle, format, color);
    m_native->End();
  KORVEX_RETHROW("SD3D9Font::DoDrawText", kSource)
}

void SD3D9Font::Release() {
  if (m_native == nullptr) return;
  const boost::shared_ptr<SD3D9RenderDevice> device = m_registeredWith.lock();
  if (device) device->UnregisterFont(m_native);
  m_registeredWith.reset();
  ReleaseNative(m_native);
}

}  // namespace SCore

// The device font: each text is rendered once with SDL2_ttf into a texture, kept among the last
// few, and drawn as one pre-transformed quad with the device's states saved around it.

#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <list>
#include <mutex>
#include <string>

#include "d3d9/D3D9RefCounted.h"
#include "Platform/D3DX9.h"
#include "Platform/NativePath.h"

namespace Platform {
namespace D3DX {
namespace {

const char* const kFontFolders[] = {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/",
                                    "/usr/local/share/fonts/"};
constexpr LONG kBoldFrom = 600;
constexpr LONG kDefaultHeight = 16;
constexpr size_t kCachedTexts = 32;
constexpr DWORD kQuadFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct QuadVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};

struct StateSetting {
  DWORD state;
  DWORD value;
};

// What the font draws with; every one of them is given back afterwards.
const StateSetting kRenderStates[] = {{D3DRS_ALPHABLENDENABLE, TRUE},
                                      {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                                      {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                      {D3DRS_BLENDOP, D3DBLENDOP_ADD},
                                      {D3DRS_ZENABLE, D3DZB_FALSE},
                                      {D3DRS_CULLMODE, D3DCULL_NONE},
                                      {D3DRS_ALPHATESTENABLE, FALSE},
                                      {D3DRS_FOGENABLE, FALSE},
                                      {D3DRS_FILLMODE, D3DFILL_SOLID},
                                      {D3DRS_COLORWRITEENABLE, 0xF}};
const StateSetting kStageStates[] = {
    {D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_COLORARG1, D3DTA_TEXTURE},
    {D3DTSS_COLORARG2, D3DTA_DIFFUSE}, {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
    {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},
    {D3DTSS_TEXCOORDINDEX, 0},         {D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE}};
const StateSetting kSamplerStates[] = {{D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP},
                                       {D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP},
                                       {D3DSAMP_MAGFILTER, D3DTEXF_POINT},
                                       {D3DSAMP_MINFILTER, D3DTEXF_POINT},
                                       {D3DSAMP_MIPFILTER, D3DTEXF_NONE}};

class SavedStates {
 public:
  explicit SavedStates(IDirect3DDevice9& device) : m_device(device) {
    for (size_t index = 0; index < std::size(kRenderStates); ++index) {
      device.GetRenderState(D3DRENDERSTATETYPE(kRenderStates[index].state), &m_render[index]);
    }
    for (size_t index = 0; index < std::size(kStageStates); ++index) {
      device.GetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(kStageStates[index].state), &m_stage[index]);
    }
    for (size_t index = 0; index < std::size(kSamplerStates); ++index) {
      device.GetSamplerState(0, D3DSAMPLERSTATETYPE(kSamplerStates[index].state), &m_sampler[index]);
    }
    device.GetFVF(&m_fvf);
    device.GetTexture(0, &m_texture);
    device.GetStreamSource(0, &m_stream, &m_offset, &m_stride);
  }

  ~SavedStates() {
    for (size_t index = 0; index < std::size(kRenderStates); ++index) {
      m_device.SetRenderState(D3DRENDERSTATETYPE(kRenderStates[index].state), m_render[index]);
    }
    for (size_t index = 0; index < std::size(kStageStates); ++index) {
      m_device.SetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(kStageStates[index].state), m_stage[index]);
    }
    for (size_t index = 0; index < std::size(kSamplerStates); ++index) {
      m_device.SetSamplerState(0, D3DSAMPLERSTATETYPE(kSamplerStates[index].state), m_sampler[index]);
    }
    m_device.SetFVF(m_fvf);
    m_device.SetTexture(0, m_texture);
    m_device.SetStreamSource(0, m_stream, m_offset, m_stride);
    if (m_texture != nullptr) m_texture->Release();
    if (m_stream != nullptr) m_stream->Release();
  }

  SavedStates(const SavedStates&) = delete;
  SavedStates& operator=(const SavedStates&) = delete;

  static void ApplyFontStates(IDirect3DDevice9& device) {
    for (const StateSetting& setting : kRenderStates)
      device.SetRenderState(D3DRENDERSTATETYPE(setting.state), setting.value);
    for (const StateSetting& setting : kStageStates) {
      device.SetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(setting.state), setting.value);
    }
    for (const StateSetting& setting : kSamplerStates) {
      device.SetSamplerState(0, D3DSAMPLERSTATETYPE(setting.state), setting.value);
    }
    device.SetFVF(kQuadFvf);
  }

 private:
  IDirect3DDevice9& m_device;
  std::array<DWORD, std::size(kRenderStates)> m_render{};
  std::array<DWORD, std::size(kStageStates)> m_stage{};
  std::array<DWORD, std::size(kSamplerStates)> m_sampler{};
  DWORD m_fvf = 0;
  IDirect3DBaseTexture9* m_texture = nullptr;
  IDirect3DVertexBuffer9* m_stream = nullptr;
  UINT m_offset = 0;
  UINT m_stride = 0;
};

bool StartTtf() {
  static std::once_flag started;
  static bool ready = false;
  std::call_once(started, [] { ready = TTF_Init() == 0; });
  return ready;
}

TTF_Font* OpenDejaVu(int size, bool bold) {
  const char* file = bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
  for (const char* folder : kFontFolders) {
    TTF_Font* font = TTF_OpenFont((std::string(folder) + file).c_str(), size);
    if (font != nullptr) return font;
  }
  return nullptr;
}

// A negative height asks for the character height, a positive one for the whole cell.
TTF_Font* OpenForDescription(const LOGFONTA& description) {
  const bool bold = description.lfWeight >= kBoldFrom;
  const int asked = description.lfHeight == 0 ? kDefaultHeight : std::abs(int(description.lfHeight));
  TTF_Font* font = OpenDejaVu(asked, bold);
  if (font != nullptr && description.lfHeight > 0 && TTF_FontHeight(font) > asked) {
    const int scaled = std::max(1, asked * asked / TTF_FontHeight(font));
    TTF_CloseFont(font);
    font = OpenDejaVu(scaled, bold);
  }
  if (font == nullptr) return nullptr;
  int style = TTF_STYLE_NORMAL;
  if (description.lfItalic) style |= TTF_STYLE_ITALIC;
  if (description.lfUnderline) style |= TTF_STYLE_UNDERLINE;
  if (description.lfStrikeOut) style |= TTF_STYLE_STRIKETHROUGH;
  TTF_SetFontStyle(font, style);
  return font;
}

// Narrow text as UTF-8: text that already is stays so, other bytes are taken as Latin-1.
std::string TextAsUtf8(LPCSTR text, INT count) {
  const std::string narrow = count < 0 ? std::string(text) : std::string(text, size_t(count));
  if (IsValidUtf8(narrow)) return narrow;
  std::wstring wide;
  for (char byte : narrow) wide.push_back(wchar_t(static_cast<unsigned char>(byte)));
  return WideToUtf8(wide);
}

struct RenderedText {
  std::string text;
  int wrapWidth;
  IDirect3DTexture9* texture;
  int width;
  int height;
};

// Trims [start, end) of a span of the given length to [low, high), moving its texture
// coordinates with it.
void ClipSpan(float low, float high, float length, float* start, float* end, float* first, float* last) {
  if (*start < low) {
    *first = (low - *start) / length;
    *start = low;
  }
  if (*end > high) {
    *last -= (*end - high) / length;
    *end = high;
  }
}

class Font9 : public D3D9::RefCounted<ID3DXFont> {
 public:
  Font9(IDirect3DDevice9* device, TTF_Font* font) : m_device(device), m_font(font) { m_device->AddRef(); }
  ~Font9() override {
    OnLostDevice();
    if (m_quad != nullptr) m_quad->Release();
    TTF_CloseFont(m_font);
    m_device->Release();
  }

  HRESULT Begin() override { return D3D_OK; }
  HRESULT End() override { return D3D_OK; }
  HRESULT OnResetDevice() override { return D3D_OK; }

  HRESULT OnLostDevice() override {
    for (RenderedText& rendered : m_cache) rendered.texture->Release();
    m_cache.clear();
    return D3D_OK;
  }

  INT DrawTextA(LPCSTR text, INT count, LPRECT rect, DWORD format, D3DCOLOR colour) override {
    if (text == nullptr || rect == nullptr) return 0;
    const std::string utf8 = TextAsUtf8(text, count);
    const int wrapWidth = (format & DT_WORDBREAK) != 0 ? std::max(1, int(rect->right - rect->left)) : 0;
    if (utf8.empty()) return TTF_FontHeight(m_font);
    const RenderedText* rendered = Render(utf8, wrapWidth);
    if (rendered == nullptr) return 0;
    if ((format & DT_CALCRECT) != 0) {
      rect->right = rect->left + rendered->width;
      rect->bottom = rect->top + rendered->height;
      return rendered->height;
    }
    Draw(*rendered, *rect, format, colour);
    return rendered->height;
  }

 private:
  // The text's texture, from the cache or newly rendered; the cache keeps the latest first.
  const RenderedText* Render(const std::string& text, int wrapWidth) {
    auto found = std::find_if(m_cache.begin(), m_cache.end(), [&](const RenderedText& entry) {
      return entry.text == text && entry.wrapWidth == wrapWidth;
    });
    if (found != m_cache.end()) {
      m_cache.splice(m_cache.begin(), m_cache, found);
      return &m_cache.front();
    }
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* surface = wrapWidth > 0
                               ? TTF_RenderUTF8_Blended_Wrapped(m_font, text.c_str(), white, Uint32(wrapWidth))
                               : TTF_RenderUTF8_Blended(m_font, text.c_str(), white);
    if (surface == nullptr) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (argb == nullptr) return nullptr;
    IDirect3DTexture9* texture = MakeTexture(*argb);
    RenderedText rendered{text, wrapWidth, texture, argb->w, argb->h};
    SDL_FreeSurface(argb);
    if (texture == nullptr) return nullptr;
    m_cache.push_front(rendered);
    if (m_cache.size() > kCachedTexts) {
      m_cache.back().texture->Release();
      m_cache.pop_back();
    }
    return &m_cache.front();
  }

  IDirect3DTexture9* MakeTexture(SDL_Surface& pixels) {
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(m_device->CreateTexture(UINT(pixels.w), UINT(pixels.h), 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                       nullptr))) {
      return nullptr;
    }
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
      texture->Release();
      return nullptr;
    }
    SDL_LockSurface(&pixels);
    for (int row = 0; row < pixels.h; ++row) {
      std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch,
                  static_cast<const BYTE*>(pixels.pixels) + row * pixels.pitch, size_t(pixels.w) * 4);
    }
    SDL_UnlockSurface(&pixels);
    texture->UnlockRect(0);
    return texture;
  }

  void Draw(const RenderedText& rendered, const RECT& rect, DWORD format, D3DCOLOR colour) {
    float left = float(rect.left);
    if ((format & DT_CENTER) != 0) left = float(rect.left + rect.right - rendered.width) / 2.0f;
    if ((format & DT_RIGHT) != 0) left = float(rect.right - rendered.width);
    float top = float(rect.top);
    if ((format & DT_VCENTER) != 0) top = float(rect.top + rect.bottom - rendered.height) / 2.0f;
    if ((format & DT_BOTTOM) != 0) top = float(rect.bottom - rendered.height);
    float right = left + float(rendered.width);
    float bottom = top + float(rendered.height);
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    if ((format & DT_NOCLIP) == 0) {
      // Clipping to the rectangle trims the quad and its texture coordinates alike.
      ClipSpan(float(rect.left), float(rect.right), float(rendered.width), &left, &right, &u0, &u1);
      ClipSpan(float(rect.top), float(rect.bottom), float(rendered.height), &top, &bottom, &v0, &v1);
      if (left >= right || top >= bottom) return;
    }
    // Half a pixel back puts each texel on its pixel.
    const QuadVertex quad[4] = {{left - 0.5f, top - 0.5f, 0.0f, 1.0f, colour, u0, v0},
                                {right - 0.5f, top - 0.5f, 0.0f, 1.0f, colour, u1, v0},
                                {left - 0.5f, bottom - 0.5f, 0.0f, 1.0f, colour, u0, v1},
                                {right - 0.5f, bottom - 0.5f, 0.0f, 1.0f, colour, u1, v1}};
    if (!FillQuad(quad)) return;
    SavedStates saved(*m_device);
    SavedStates::ApplyFontStates(*m_device);
    m_device->SetTexture(0, rendered.texture);
    m_device->SetStreamSource(0, m_quad, 0, sizeof(QuadVertex));
    m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
  }

  bool FillQuad(const QuadVertex (&quad)[4]) {
    if (m_quad == nullptr && FAILED(m_device->CreateVertexBuffer(sizeof quad, D3DUSAGE_WRITEONLY, kQuadFvf,
                                                                 D3DPOOL_MANAGED, &m_quad, nullptr))) {
      return false;
    }
    void* data = nullptr;
    if (FAILED(m_quad->Lock(0, 0, &data, 0))) return false;
    std::memcpy(data, quad, sizeof quad);
    m_quad->Unlock();
    return true;
  }

  IDirect3DDevice9* m_device;
  TTF_Font* m_font;
  IDirect3DVertexBuffer9* m_quad = nullptr;
  std::list<RenderedText> m_cache;
};

}  // namespace
}  // namespace D3DX
}  // namespace Platform

HRESULT D3DXCreateFontIndirect(IDirect3DDevice9* device, const LOGFONTA* description, ID3DXFont** font) {
  if (font == nullptr) return D3DERR_INVALIDCALL;
  *font = nullptr;
  if (device == nullptr || description == nullptr) return D3DERR_INVALIDCALL;
  if (!Platform::D3DX::StartTtf()) return E_FAIL;
  TTF_Font* opened = Platform::D3DX::OpenForDescription(*description);
  if (opened == nullptr) return D3DERR_NOTAVAILABLE;
  *font = new Platform::D3DX::Font9(device, opened);
  return D3D_OK;
}

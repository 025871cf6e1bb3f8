// One OpenGL texture shared by the small textures of a device. The rasteriser pays for every
// switch of texture between draws; draws of textures that share the page switch nothing. Each
// texture sits in the page with a border of one texel that repeats its addressing, so that
// filtering at its edges samples what its own texture would.
#pragma once

#include <vector>

#include "Platform/Win32Types.h"

namespace Platform {
namespace D3D9 {

struct PageSlot {
  UINT x;  // where the texture's first texel lies in the page
  UINT y;
  UINT width;
  UINT height;
};

class TexturePage {
 public:
  static constexpr UINT kSize = 2048;
  static constexpr UINT kLargestSide = 256;

  // False when the page has no room left for the size.
  bool Allocate(UINT width, UINT height, PageSlot* slot);
  void Free(const PageSlot& slot);

  // With the context current: the OpenGL texture, made on first use.
  unsigned Texture();
  // The sampler settings last given to the OpenGL texture.
  std::vector<DWORD>& AppliedSampler() { return m_appliedSampler; }
  // With the context current, when the context goes.
  void DeleteTexture();

 private:
  struct Shelf {
    UINT y;
    UINT height;
    UINT used;
  };
  std::vector<Shelf> m_shelves;
  std::vector<PageSlot> m_freed;  // reused by textures of the same size
  unsigned m_texture = 0;
  std::vector<DWORD> m_appliedSampler;
};

}  // namespace D3D9
}  // namespace Platform

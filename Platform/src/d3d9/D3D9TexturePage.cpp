#include "D3D9TexturePage.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace Platform {
namespace D3D9 {
namespace {

constexpr UINT kBorder = 1;

}  // namespace

bool TexturePage::Allocate(UINT width, UINT height, PageSlot* slot) {
  if (width > kLargestSide || height > kLargestSide) return false;
  const auto sameSize = [&](const PageSlot& freed) { return freed.width == width && freed.height == height; };
  const auto reused = std::find_if(m_freed.begin(), m_freed.end(), sameSize);
  if (reused != m_freed.end()) {
    *slot = *reused;
    m_freed.erase(reused);
    return true;
  }
  // Shelves of rows: the first with the height and the room, else a new one below the others.
  const UINT outerWidth = width + 2 * kBorder;
  const UINT outerHeight = height + 2 * kBorder;
  Shelf* chosen = nullptr;
  for (Shelf& shelf : m_shelves) {
    if (shelf.height >= outerHeight && shelf.used + outerWidth <= kSize) {
      chosen = &shelf;
      break;
    }
  }
  if (chosen == nullptr) {
    const UINT top = m_shelves.empty() ? 0 : m_shelves.back().y + m_shelves.back().height;
    if (top + outerHeight > kSize) return false;
    m_shelves.push_back(Shelf{top, outerHeight, 0});
    chosen = &m_shelves.back();
  }
  *slot = PageSlot{chosen->used + kBorder, chosen->y + kBorder, width, height};
  chosen->used += outerWidth;
  return true;
}

void TexturePage::Free(const PageSlot& slot) { m_freed.push_back(slot); }

unsigned TexturePage::Texture() {
  if (m_texture == 0) {
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Coordinates never leave a texture's place: the border gives its addressing.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(kSize), GLsizei(kSize), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 nullptr);
    m_appliedSampler.clear();
  }
  return m_texture;
}

void TexturePage::DeleteTexture() {
  if (m_texture != 0) glDeleteTextures(1, &m_texture);
  m_texture = 0;
}

}  // namespace D3D9
}  // namespace Platform

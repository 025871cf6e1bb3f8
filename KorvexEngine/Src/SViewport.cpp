#include "SViewport.h"

namespace SCore {

SViewport::SViewport() : m_textureManager(new STextureManager()) {}

SViewport::~SViewport() {
  m_textureManager.reset();
  m_input.reset();
  m_renderDevice.reset();
}

}  // namespace SCore

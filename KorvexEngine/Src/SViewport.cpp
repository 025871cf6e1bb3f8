#include "SViewport.h"

namespace SCore {

SViewport::SViewport() = default;

SViewport::~SViewport() {
  m_textureManager.reset();
  m_input.reset();
  m_renderDevice.reset();
}

}  // namespace SCore

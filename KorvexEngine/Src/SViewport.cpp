#include "SViewport.h"

namespace SCore {

SViewport::SViewport() : m_textureManager(new STextureManager()) {}

SViewport::~SViewport() {
  // The device's current material holds textures, and textures hold the device: the material lets
  // go of them so that the device can go with the viewport.
  if (m_renderDevice) CopyMaterial(SMaterial(), m_renderDevice->CurrentMaterial);
  m_textureManager.reset();
  m_input.reset();
  m_renderDevice.reset();
}

}  // namespace SCore

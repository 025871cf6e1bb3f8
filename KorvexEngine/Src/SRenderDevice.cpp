#include "SRenderDevice.h"

namespace SCore {

SRenderDevice::SRenderDevice() = default;

SRenderDevice::~SRenderDevice() {
  ResetHandler.reset();
  LostHandler.reset();
}

}  // namespace SCore

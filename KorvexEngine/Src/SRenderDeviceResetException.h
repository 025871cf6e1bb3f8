#pragma once

namespace SCore {

// A tag that the application's frame begin catches; nothing raises it.
class SRenderDeviceResetException {};

}  // namespace SCore

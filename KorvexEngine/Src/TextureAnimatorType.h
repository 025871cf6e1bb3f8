#pragma once

#include <string>

namespace SCore {

enum TextureAnimatorType { FLOATING = 1, FRAME = 2 };

// "FLOATING", "FRAME", or "UNKNOWN" for any other value.
std::string TextureAnimatorTypeToString(TextureAnimatorType type);
// Exact and case-sensitive; any other text raises.
TextureAnimatorType TextureAnimatorTypeFromString(const std::string& text);

}  // namespace SCore

#pragma once

#include <string>

namespace SCore {

// Stored as a signed 32-bit number; any other value is unknown.
enum TextureAnimatorType : int { FLOATING = 1, FRAME = 2 };

// "FLOATING", "FRAME", or "UNKNOWN" for any other value.
std::string TextureAnimatorTypeToString(TextureAnimatorType type);
// Exact and case-sensitive; any other text raises.
TextureAnimatorType TextureAnimatorTypeFromString(const std::string& text);

}  // namespace SCore

#include "TextureAnimatorType.h"

#include "KorvexCoreException.h"

namespace SCore {

namespace {

const struct {
  TextureAnimatorType type;
  const char* text;
} kTypeTexts[] = {{FLOATING, "FLOATING"}, {FRAME, "FRAME"}};

}  // namespace

std::string TextureAnimatorTypeToString(TextureAnimatorType type) {
  for (const auto& known : kTypeTexts) {
    if (known.type == type) return known.text;
  }
  return "UNKNOWN";
}

TextureAnimatorType TextureAnimatorTypeFromString(const std::string& text) {
  for (const auto& known : kTypeTexts) {
    if (text == known.text) return known.type;
  }
  throw KorvexCoreException(("unknown string with TextureAnimatorType:" + text).c_str());
}

}  // namespace SCore

// Helpers shared by the tests of the XML writer and readers.
#pragma once

#include "KorvexCoreException.h"

#include "Platform/NativePath.h"

#include <string>

namespace XMLTestSupport {

// The message of the core exception that the operation raises, or "(no failure)".
template <typename Operation>
std::string FailureOf(Operation operation) {
  try {
    operation();
  } catch (const SCore::KorvexCoreException& error) {
    return error.what();
  }
  return "(no failure)";
}

inline bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

inline std::wstring Wide(const std::string& path) { return Platform::Utf8ToWide(path); }

inline std::string GoldenPath(const std::string& name) {
  return std::string(KORVEX_SOURCE_DIR) + "/tests/KorvexEngine/golden/" + name;
}

}  // namespace XMLTestSupport

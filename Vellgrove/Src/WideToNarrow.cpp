#include "WideToNarrow.h"

#include "GameGlobals.h"
#include "KorvexCoreException.h"

#include "Platform/CodePage.h"

#include <stdexcept>

namespace Vellgrove {

std::string WideToNarrow(const std::wstring& text) {
  std::string narrow;
  if (text.empty()) return narrow;
  const std::string failure = "Cannot convert wstring to string. Locale: " + g_Locale;
  try {
    if (Platform::CodePage(g_Locale).ToNarrow(text, narrow)) return narrow;
  } catch (const std::runtime_error&) {
    // A locale without a code page converts nothing; it fails like an unconvertible character.
  }
  throw SCore::KorvexCoreException(failure.c_str());
}

}  // namespace Vellgrove

#pragma once

#include <string>

namespace Vellgrove {

// The text in the code page of g_Locale. A character without a form there raises
// KorvexCoreException "Cannot convert wstring to string. Locale: " and the locale name.
std::string WideToNarrow(const std::wstring& text);

}  // namespace Vellgrove

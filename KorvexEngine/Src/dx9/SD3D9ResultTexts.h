// Failed Direct3D 9 calls become KorvexCoreDX9Exceptions: a fixed beginning naming the call, then
// the text listed for the result. Every failure raises; one that no table lists gets the table's
// text for unknown results.
#pragma once

#include "Platform/D3D9.h"

#include <string>
#include <vector>

namespace SCore {

struct SD3D9ResultText {
  HRESULT result;
  const char* text;
};

struct SD3D9ResultTexts {
  std::vector<SD3D9ResultText> listed;
  const char* unknown;
};

// Raises prefix followed by the result's text when the result is a failure.
void RaiseIfFailed(HRESULT result, const std::string& prefix, const SD3D9ResultTexts& texts);

}  // namespace SCore

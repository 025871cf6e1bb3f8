#include "SD3D9ResultTexts.h"

#include "KorvexCoreDX9Exception.h"

namespace SCore {

void RaiseIfFailed(HRESULT result, const std::string& prefix, const SD3D9ResultTexts& texts) {
  if (SUCCEEDED(result)) return;
  const char* text = texts.unknown;
  for (const SD3D9ResultText& listed : texts.listed) {
    if (listed.result == result) text = listed.text;
  }
  throw KorvexCoreDX9Exception((prefix + text).c_str());
}

}  // namespace SCore

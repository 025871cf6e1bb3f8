#include "SDIResultTexts.h"

#include "KorvexCoreDX9Exception.h"

namespace SCore {

void RaiseListedResult(HRESULT result, const SDIResultTexts& texts) {
  for (const SDIResultText& listed : texts) {
    if (listed.result == result) throw KorvexCoreDX9Exception(listed.text.c_str());
  }
}

SDIResultTexts DeviceCreationTexts(const std::string& device) {
  const std::string prefix = "can't create " + device + " device : ";
  SDIResultTexts texts = {
      {DIERR_DEVICENOTREG, "can't create " + device + " device: DIERR_DEVICENOTREG"},
      {DIERR_NOINTERFACE, prefix + "DIERR_NOINTERFACE"},
      {DIERR_OUTOFMEMORY, prefix + "DIERR_OUTOFMEMORY"},
  };
  const SDIResultTexts shared = DeviceSetupTexts(device);
  texts.insert(texts.end(), shared.begin(), shared.end());
  return texts;
}

SDIResultTexts DeviceSetupTexts(const std::string& device, SDIResultTexts own) {
  const std::string prefix = "can't create " + device + " device : ";
  own.push_back({DIERR_INVALIDPARAM, prefix + "DIERR_INVALIDPARAM"});
  own.push_back({DIERR_NOTINITIALIZED, prefix + "DIERR_NOTINITIALIZED"});
  return own;
}

}  // namespace SCore

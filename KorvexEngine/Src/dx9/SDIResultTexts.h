// Failed DirectInput calls become KorvexCoreDX9Exceptions with fixed texts; results that a table
// does not list are let through, as the input back end accepts them.
#pragma once

#include "Platform/DInput8.h"

#include <string>
#include <vector>

namespace SCore {

struct SDIResultText {
  HRESULT result;
  std::string text;
};
typedef std::vector<SDIResultText> SDIResultTexts;

// Raises the text listed for result, if any.
void RaiseListedResult(HRESULT result, const SDIResultTexts& texts);

// The texts of a failed creation of the "keyboard" or "mouse" device.
SDIResultTexts DeviceCreationTexts(const std::string& device);
// The texts that the later set-up steps share with the creation: INVALIDPARAM and NOTINITIALIZED,
// followed by the step's own.
SDIResultTexts DeviceSetupTexts(const std::string& device, SDIResultTexts own = {});

}  // namespace SCore

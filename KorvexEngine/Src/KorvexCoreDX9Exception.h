#pragma once

#include "KorvexCoreException.h"

namespace SCore {

// A call of the device back end failed; the message names the call and the platform's error.
class KorvexCoreDX9Exception : public KorvexCoreException {
 public:
  explicit KorvexCoreDX9Exception(const char* text) : KorvexCoreException(text) {}
};

}  // namespace SCore

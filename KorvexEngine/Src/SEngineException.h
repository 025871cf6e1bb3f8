#pragma once

#include "KorvexCoreException.h"

namespace KorvexEngine {

// A check of the engine or the game failed: an unknown name, type or kind, a duplicate, a missing entry.
class SEngineException : public SCore::KorvexCoreException {
 public:
  explicit SEngineException(const char* text) : KorvexCoreException(text) {}
};

}  // namespace KorvexEngine

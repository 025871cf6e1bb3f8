// The rethrow convention: every public operation runs its body inside KORVEX_TRY ... KORVEX_RETHROW.
// A KorvexCoreException (or a class derived from it) that leaves the body comes out as a plain
// KorvexCoreException whose message has the operation's context appended; anything else passes
// through untouched.
//
//   void Fader::FadeIn() {
//     KORVEX_TRY
//       ...
//     KORVEX_RETHROW("Fader::FadeIn()", "..\\Src\\Fader")
//   }
#pragma once

#include "KorvexCoreException.h"

#include <string>

namespace SCore {

// caught + " " + context + " " + sourcePath + " at:" + line
std::string ComposeRethrowMessage(const char* caught, const char* context, const char* sourcePath, int line);

[[noreturn]] void RethrowWithContext(const KorvexCoreException& caught, const char* context, const char* sourcePath,
                                     int line);

}  // namespace SCore

#define KORVEX_TRY try {
#define KORVEX_RETHROW(context, sourcePath)                                     \
  }                                                                             \
  catch (const ::SCore::KorvexCoreException& korvexCaught) {                    \
    ::SCore::RethrowWithContext(korvexCaught, context, sourcePath, __LINE__);   \
  }

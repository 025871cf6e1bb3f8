// Failures that tests ask for in advance (see D3D9TestHooks.h).
#pragma once

#include "Platform/Win32Types.h"

namespace Platform {
namespace D3D9 {

// True, with the result to answer, when a failure of the operation was asked for; it is used up.
bool TakeScriptedFailure(const char* operation, HRESULT* result);

}  // namespace D3D9
}  // namespace Platform

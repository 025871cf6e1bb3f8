// What the sound stand-in shares with its test hooks: the record of calls, the failures a test
// asked for, and the hold on RenderFile.
#pragma once

#include "Platform/Win32Types.h"

#include <string>

namespace Platform {
namespace Audio {

// Notes the call when a test records, and answers the result it was given.
HRESULT RecordCall(const char* call, HRESULT result, long long value = 0, const std::string& text = std::string());
// True, with the result to answer, when a test asked this call to fail next.
bool TakeFailure(const char* call, HRESULT& result);
void WaitWhileRenderFileHeld();

}  // namespace Audio
}  // namespace Platform

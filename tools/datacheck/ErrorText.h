#pragma once

#include <exception>
#include <string>

namespace DataCheck {

// The reader's message without the trail of operations the engine appends on its way out.
std::string ReadableMessage(const std::exception& error);
// The row TinyXML names in its message; 0 when it names none (the engine's parser never does).
int RowInMessage(const std::string& message);

}  // namespace DataCheck

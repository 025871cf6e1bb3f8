#pragma once

#include "CheckSession.h"

#include <string>

namespace DataCheck {

// A tutorial script (TinyXML): it parses, every command's Type names a command class of the
// game's trainer, and every texture its sprites name is listed.
void CheckTrainerScript(CheckSession& session, const Location& referrer, const std::string& written);

}  // namespace DataCheck

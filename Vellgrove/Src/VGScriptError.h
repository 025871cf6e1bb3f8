// What the bridge does with a script's own error before it raises its message: the error and its
// traceback go to the log, and the interpreter's error indicator is cleared, so that a failed call
// ends only the operation that met it and the next call runs.
#pragma once

#include <string>

namespace Vellgrove {

// With the interpreter lock held. Logs the pending script error (if any) under the bridge's
// message and clears it; answers the error's text ("" when none was pending).
std::string LogScriptError(const std::string& bridgeMessage);

// LogScriptError, then raises SEngineException with the bridge's message.
[[noreturn]] void RaiseScriptFailure(const std::string& bridgeMessage);

}  // namespace Vellgrove

// The embedded interpreter's life in the program: started once on the main thread before anything
// else runs scripts, finalised once at the very end.
#pragma once

#include <string>

namespace Vellgrove {

// Points PYTHONPATH at the working directory's "scripts" folder unless it holds a value already.
void PreparePythonPath(const std::wstring& workingDirectory);

// Starts the interpreter and gives its lock away, so that the loader, main and input threads take
// it through VGPythonLock. A second call does nothing.
void StartPython();

// Takes the lock back on the main thread and finalises the interpreter; nothing may hold a script
// object any more. Does nothing when the interpreter is not running.
void FinishPython();

}  // namespace Vellgrove

// The embedded interpreter's life in the program: started once on the main thread before anything
// else runs scripts, finalised once at the very end.
#pragma once

#include <string>

namespace Vellgrove {

// Points PYTHONPATH at the working directory's "scripts" folder unless it holds a value already.
void PreparePythonPath(const std::wstring& workingDirectory);

// Starts the interpreter and gives its lock away, so that the loader, main and input threads take
// it through VGPythonLock. The locale stays the program's own (the interpreter would otherwise set
// LC_CTYPE from the environment). A second call does nothing.
void StartPython();

// Whether StartPython has run and FinishPython has not finalised yet.
bool IsPythonRunning();

// Asks for the interpreter's end: it takes the lock back on the calling thread, runs the hooks
// given to BeforePythonFinishes and finalises, at once when no script holder (see HoldPython) is
// left, else when the last one lets go. Does nothing when the interpreter is not running. Called
// on the main thread.
void FinishPython();

// A script holder (the interpreter object of the bridge) keeps the interpreter from being finalised
// while it lives; its wrappers release their script values before it goes.
void HoldPython();
void ReleasePythonHold();

// Releases script values kept for the whole run (cached attribute names) just before finalising,
// with the interpreter lock held. Hooks run once, in the order given.
void BeforePythonFinishes(void (*releaseScriptValues)());

}  // namespace Vellgrove

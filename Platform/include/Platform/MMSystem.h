// The multimedia timer: the one clock of the engine and the game.
#pragma once

#include "Platform/Win32Types.h"

// Milliseconds of a steady clock as a 32-bit value that wraps; callers take unsigned differences.
DWORD timeGetTime();

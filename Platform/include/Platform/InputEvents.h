// The store behind the DirectInput devices. The main thread's event pump reports what the player
// does here, and tests inject the same reports; the devices read it from any thread.
#pragma once

#include "Platform/Win32Types.h"

namespace Platform {
namespace InputEvents {

// A key by its DirectInput code (0 to 255) went down or up.
void KeyChanged(BYTE dik, bool down);
// Button 0 is the left one, 1 the right, 2 the middle, 3 and 4 the side buttons.
void MouseButtonChanged(int button, bool down);
// Relative movement in pixels; the wheel moves 120 a notch.
void MouseMoved(int dx, int dy);
void WheelMoved(int delta);
// The window lost the focus: releases that happen meanwhile are never reported, so every held
// key and button counts as released.
void FocusLost();
// Every device reports its input as lost on its next read, as when another program takes it.
void LoseAcquisition();
// Forgets every key and button: a clean state for the next test.
void Reset();

}  // namespace InputEvents
}  // namespace Platform

namespace Platform {
namespace Testing {

// The next call of that DirectInput operation ("DirectInput8Create", "CreateDevice",
// "SetDataFormat", "SetCooperativeLevel", "SetProperty", "Acquire", "GetDeviceState",
// "GetDeviceData") answers result and does nothing else.
void FailNextDirectInputCall(const char* operation, HRESULT result);

}  // namespace Testing
}  // namespace Platform

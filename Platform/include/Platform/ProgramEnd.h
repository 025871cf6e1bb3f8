// The end of the stand-in's life in a program: what the original platform does when the process
// ends, done here explicitly once every window, device and input device has been released.
#pragma once

namespace Platform {

// Closes the display connection, OpenGL and the sound and event systems. Later calls do nothing;
// after it no window, device or input device may be made.
void ShutDownPlatform();

}  // namespace Platform

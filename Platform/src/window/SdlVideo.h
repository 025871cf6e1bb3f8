// SDL's video subsystem with its OpenGL library, started once and kept for the life of the
// process: windows and devices come and go (a device is made again after every full-screen
// switch), and reloading the OpenGL driver each time would cost time and leak what the driver
// keeps for itself.
#pragma once

namespace Platform {

// False when SDL cannot open the display or load OpenGL.
bool StartSdlVideo();

}  // namespace Platform

#pragma once

#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

// Every texture of a texture list ("Textures" > "Texture" Name, Path) into the viewport's texture
// manager, for tools and tests that play the game's data without the application's loading
// screen. Textures already held keep their place.
void LoadTextureList(const boost::shared_ptr<SCore::SViewport>& viewport, const std::wstring& listPath);

}  // namespace Vellgrove

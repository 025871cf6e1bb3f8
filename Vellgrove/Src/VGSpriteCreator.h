#pragma once

#include "SSprite.h"
#include "SViewport.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Vellgrove {

// The one place where the game makes its sprites: every sprite is bound to the application's
// viewport, which the game hands over before it makes any sprite and which is kept here until the
// end of the program (start-up releases it explicitly, before the platform shuts down).
class VGSpriteCreator {
 public:
  // An empty pointer releases the viewport.
  static void SetViewport(const boost::shared_ptr<SCore::SViewport>& viewport);
  // worldSpace 1: drawn through the world transform; 0: in screen space. The sprite keeps every
  // default of SSprite and has made its device resources.
  static boost::shared_ptr<KorvexEngine::SSprite> CreateSprite(int worldSpace);
  // Shows the named texture of the viewport's texture manager, alpha-blended without depth
  // writing, unfiltered, placed by its left-top corner.
  static boost::shared_ptr<KorvexEngine::SSprite> CreateTexturedSprite(const std::string& name, int worldSpace);
  // What CreateTexturedSprite gives every sprite it makes: the texture, alpha blending without
  // depth writing, unfiltered sampling, placement by the left-top corner.
  static void ShowTexture(KorvexEngine::SSprite& sprite, const boost::shared_ptr<SCore::STexture>& texture);
  // The viewport, through which callers create textures and fonts and reach the texture manager.
  static boost::shared_ptr<SCore::SViewport> GetRenderDevice();
};

}  // namespace Vellgrove

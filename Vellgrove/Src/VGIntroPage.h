#pragma once

#include "SSprite.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Vellgrove {

// One timed picture detail or caption of an intro page.
struct VGIntroItem {
  boost::shared_ptr<KorvexEngine::SSprite> sprite;
  DWORD Time;  // milliseconds it stays after it began to fade in
};

// A full-screen picture of the intro, named in the texture list, and what fades in over it.
struct VGIntroPage {
  std::string Texture;
  std::vector<VGIntroItem> items;

  void AddItem(const boost::shared_ptr<KorvexEngine::SSprite>& sprite, DWORD time) { items.push_back({sprite, time}); }
};

}  // namespace Vellgrove

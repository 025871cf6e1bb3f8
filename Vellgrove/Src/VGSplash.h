#pragma once

#include "SSprite.h"
#include "STexture.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Vellgrove {

// The slideshow that opens the game: every picture of the folder "splash" full screen for four
// seconds each, in byte order of the file names; each but the last fades in from black and out to
// black through an overlay, whose darkness is written into the texture "BLACK".
class VGSplash {
 public:
  // Needs the sprite creator's viewport and "BLACK" in its texture manager.
  VGSplash();
  virtual ~VGSplash();
  VGSplash(const VGSplash&) = delete;
  VGSplash& operator=(const VGSplash&) = delete;

  // Makes the pictures (a file that is no readable picture is logged and left out) and starts the
  // slideshow's clock.
  void Load();
  // The current picture and its overlay; past the last picture it draws nothing and is done.
  void Render();
  bool IsDone() const { return m_done; }
  // When Load started the slideshow's clock.
  DWORD GetStartTime() const { return m_startTime; }

  const std::vector<std::wstring>& GetPicturePaths() const { return m_picturePaths; }
  size_t GetPictureCount() const { return m_pictures.size(); }
  // The overlay's alpha for a point of a picture's period (f from 0 to below 1); none on the last.
  static int OverlayAlpha(float f, bool lastPicture);

 private:
  void Init();
  void CollectPicturePaths();
  void DrawPicture(size_t index, DWORD elapsed);

  boost::shared_ptr<KorvexEngine::SSprite> m_pictureSprite;
  boost::shared_ptr<KorvexEngine::SSprite> m_overlaySprite;
  std::vector<std::wstring> m_picturePaths;
  std::vector<boost::shared_ptr<SCore::STexture>> m_pictures;
  DWORD m_startTime = 0;
  DWORD m_period = 4000;
  bool m_done = false;
};

}  // namespace Vellgrove

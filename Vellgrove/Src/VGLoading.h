#pragma once

#include "SProgressBar.h"
#include "SSprite.h"
#include "STexture.h"

#include <boost/shared_ptr.hpp>

namespace Vellgrove {

// What the player sees while the game is busy: at start-up, while the loader thread works, and
// while a level is being prepared. Its pictures come straight from the folder "Loading", since it
// exists before the texture list is read.
class VGLoading {
 public:
  // The sprite creator must have the application's viewport.
  VGLoading();
  virtual ~VGLoading();
  VGLoading(const VGLoading&) = delete;
  VGLoading& operator=(const VGLoading&) = delete;

  // Background, animation, then the bar (its back, then its fill).
  void Render();
  // Its owner sets Progress (0 to 1) and calls Update, under the application's render lock when
  // another thread may be drawing.
  const boost::shared_ptr<KorvexEngine::SProgressBar>& GetProgressBar() const { return m_progressBar; }

 private:
  void Init();
  boost::shared_ptr<SCore::STexture> LoadPicture(const char* name, const char* file);
  boost::shared_ptr<KorvexEngine::SSprite> CreatePictureSprite(const boost::shared_ptr<SCore::STexture>& texture);
  void CreateAnimationSprite();
  void CreateProgressBar();

  boost::shared_ptr<SCore::STexture> m_backgroundTexture;
  boost::shared_ptr<SCore::STexture> m_animationTexture;
  boost::shared_ptr<SCore::STexture> m_activeTexture;
  boost::shared_ptr<SCore::STexture> m_passiveTexture;
  boost::shared_ptr<KorvexEngine::SSprite> m_backgroundSprite;
  boost::shared_ptr<KorvexEngine::SSprite> m_animationSprite;
  boost::shared_ptr<KorvexEngine::SProgressBar> m_progressBar;
};

}  // namespace Vellgrove

#pragma once

#include "SSprite.h"
#include "SSpriteTransition.h"

#include "Platform/Win32Types.h"

#include <boost/shared_ptr.hpp>

#include <atomic>

namespace Vellgrove {

// The cut-scene after the last level: one fixed timeline of milliseconds since the showing began.
// The picture fades in and dims behind a text scrolling up from below, goes dark, two texts and a
// second picture fade in and out, and the last text stays. Needs the textures "FINALCUT",
// "FINALCUT2", "FINALTEXT", "FINALTEXT2" and "FINALTEXT3".
class VGFinalCut {
 public:
  static constexpr DWORD kTextRiseStart = 7000;

  VGFinalCut();
  virtual ~VGFinalCut();
  VGFinalCut(const VGFinalCut&) = delete;
  VGFinalCut& operator=(const VGFinalCut&) = delete;

  // Begins a showing now, from the first picture, whatever an earlier showing left behind.
  void Start();
  // Advances the timeline and draws the frame.
  void Update();
  // Written by the game when the player ends the showing.
  void SetDone(bool done) { m_done = done; }
  bool IsDone() const { return m_done; }
  DWORD GetStartTime() const { return m_startTime; }

  // The scrolling text's top edge at a time of the showing, as a fraction of the screen.
  static float TextTop(DWORD elapsed);

  const boost::shared_ptr<KorvexEngine::SSprite>& GetPicture() const { return m_picture; }
  const boost::shared_ptr<KorvexEngine::SSprite>& GetText() const { return m_text; }
  const boost::shared_ptr<KorvexEngine::SSpriteTransition>& GetPictureFade() const { return m_pictureFade; }
  const boost::shared_ptr<KorvexEngine::SSpriteTransition>& GetText2Fade() const { return m_text2Fade; }
  const boost::shared_ptr<KorvexEngine::SSpriteTransition>& GetText3Fade() const { return m_text3Fade; }

 private:
  struct Step;
  static const Step kTimeline[];

  void CreateSprites();
  void ResetShowing();
  void RunTimeline(DWORD elapsed);
  void ShowSecondPicture();
  void DrawText(DWORD elapsed);

  boost::shared_ptr<KorvexEngine::SSprite> m_picture;
  std::atomic<bool> m_done{false};
  boost::shared_ptr<KorvexEngine::SSprite> m_text;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_pictureFade;
  DWORD m_startTime = 0;
  boost::shared_ptr<KorvexEngine::SSprite> m_text2;
  boost::shared_ptr<KorvexEngine::SSprite> m_text3;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_text2Fade;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_text3Fade;
};

}  // namespace Vellgrove

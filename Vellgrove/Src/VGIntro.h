#pragma once

#include "SInputMessager.h"
#include "SSprite.h"
#include "SSpriteTransition.h"
#include "SUIForm.h"
#include "TSafeData.h"
#include "VGIntroPage.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Vellgrove {

// The picture story shown to a player who has played no level yet: pages read from "intro\intro.xml",
// each a picture fading in with its items fading in and out over it one after another, and a skip
// button that ends it at once.
class VGIntro {
 public:
  // Reads the intro file; a file without pages, a page without items or a picture missing from the
  // texture list stops here, naming the file.
  explicit VGIntro(const boost::shared_ptr<KorvexEngine::SInputMessager>& inputMessager);
  virtual ~VGIntro();
  VGIntro(const VGIntro&) = delete;
  VGIntro& operator=(const VGIntro&) = delete;

  void Load();
  // Prepares a showing from the first page; the first Update starts its clock.
  void Start();
  void Update();
  void Render();
  // The skip button's handler, on the input thread.
  void OnSkip();
  bool IsFinished() { return m_finished.Get(); }

  const boost::shared_ptr<KorvexEngine::UI::SUIForm>& GetSkipForm() const { return m_skipForm; }
  const boost::shared_ptr<KorvexEngine::SSprite>& GetPageSprite() const { return m_pageSprite; }
  const boost::shared_ptr<KorvexEngine::SSprite>& GetItemSprite() const { return m_itemSprite; }
  const boost::shared_ptr<KorvexEngine::SSpriteTransition>& GetPageFade() const { return m_pageFade; }
  const boost::shared_ptr<KorvexEngine::SSpriteTransition>& GetItemFade() const { return m_itemFade; }
  const std::vector<VGIntroPage>& GetPages() const { return m_pages; }
  // The page shown now; the number of pages once the last has gone.
  size_t GetCurrentPage() const { return m_currentPage; }
  unsigned int GetItemIndex() const { return m_itemIndex; }
  DWORD GetNextTime() const { return m_nextTime; }

 private:
  void CreateSprites();
  void CreateSkipForm();
  void ReadPage(SCore::SDeserializator& reader, unsigned int index);
  void CheckPages() const;
  void ShowPagePicture();
  void ScheduleItems(DWORD elapsed);
  void Advance();

  boost::shared_ptr<KorvexEngine::SSprite> m_pageSprite;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_pageFade;
  boost::shared_ptr<KorvexEngine::UI::SUIForm> m_skipForm;
  KorvexEngine::TSafeData<bool> m_finished;
  boost::shared_ptr<KorvexEngine::SInputMessager> m_inputMessager;
  boost::shared_ptr<KorvexEngine::SSprite> m_itemSprite;
  boost::shared_ptr<KorvexEngine::SSpriteTransition> m_itemFade;
  std::vector<VGIntroPage> m_pages;
  size_t m_currentPage = 0;
  unsigned int m_itemIndex = 0;
  DWORD m_startTime = 0;
  DWORD m_nextTime = 0;
  bool m_restart = false;
};

}  // namespace Vellgrove

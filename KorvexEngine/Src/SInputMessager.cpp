#include "SInputMessager.h"

#include "SLoger.h"
#include "SViewport.h"

namespace KorvexEngine {

SInputMessager::SInputMessager() = default;

SInputMessager::~SInputMessager() {
  StopAndWait();
  m_messageManager.reset();
  m_viewport.reset();
}

void SInputMessager::StopAndWait() {
  m_stop = 1;
  WaitUntilEnded(m_running, "the UI input thread (SInputMessager) to end");
}

void SInputMessager::Init(boost::shared_ptr<SCore::SViewport> viewport) {
  m_viewport = viewport;
  m_messageManager.reset(new UI::SUIMessageManager(viewport->GetInput()));
}

void SInputMessager::AddListener(boost::shared_ptr<UI::SUIControl> listener) { m_messageManager->AddListener(listener); }

void SInputMessager::Run() {
  m_running = 1;
  try {
    while (m_stop == 0) {
      m_messageManager->Poll();
      Sleep(50);
    }
  } catch (...) {
    SCore::g_Loger << "exception in SInputMessager\n";
  }
  m_running = 0;
}

}  // namespace KorvexEngine

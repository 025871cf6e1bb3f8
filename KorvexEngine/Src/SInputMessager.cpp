#include "SInputMessager.h"

#include "SLoger.h"
#include "SViewport.h"

#include <chrono>
#include <thread>

namespace KorvexEngine {

SInputMessager::SInputMessager() = default;

SInputMessager::~SInputMessager() {
  m_stop = 1;
  // The wait does not sleep through the platform's Sleep, which tests may replace.
  while (m_running != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  m_messageManager.reset();
  m_viewport.reset();
}

void SInputMessager::Init(boost::shared_ptr<SCore::SViewport> viewport) {
  m_viewport = viewport;
  m_messageManager.reset(new UI::SUIMessageManager(viewport->GetInput()));
}

void SInputMessager::AddListener(boost::shared_ptr<UI::SUIControl> listener) { m_messageManager->AddListener(listener); }

void SInputMessager::Start() {
  m_running = 1;
  try {
    SThread::Start();
  } catch (...) {
    m_running = 0;
    throw;
  }
}

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

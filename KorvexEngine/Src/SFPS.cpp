#include "SFPS.h"

#include "Platform/MMSystem.h"

namespace SCore {

SFPS::SFPS()
    : m_lastTime(timeGetTime()), m_smoothedRate(0), m_windowAverage(0), m_windowSize(100), m_windowTotal(0),
      m_callCount(0) {}

float SFPS::Update() {
  const DWORD now = timeGetTime();
  const DWORD elapsed = now - m_lastTime;
  const float rate = elapsed == 0 ? 1000.0f : static_cast<float>(1000.0 / elapsed);
  ++m_callCount;
  m_smoothedRate = (m_smoothedRate + rate) * 0.5f;
  m_lastTime = now;
  m_windowTotal += m_smoothedRate;
  if (m_callCount == m_windowSize) {
    m_windowAverage = m_windowTotal / static_cast<float>(m_windowSize);
    m_callCount = 0;
    m_windowTotal = 0;
  }
  return m_smoothedRate;
}

}  // namespace SCore

#pragma once

#include "Platform/Win32Types.h"

namespace SCore {

// The frame-rate meter: a running average of the rates, halved at each call, and the mean of
// that average over windows of 100 calls.
class SFPS {
 public:
  SFPS();
  virtual ~SFPS() = default;

  // Answers the new smoothed rate.
  float Update();
  // The mean of the last complete window; 0 until the first window is complete.
  float GetWindowAverage() const { return m_windowAverage; }

 private:
  DWORD m_lastTime;
  float m_smoothedRate;
  float m_windowAverage;
  DWORD m_windowSize;
  float m_windowTotal;
  DWORD m_callCount;
};

}  // namespace SCore

#pragma once

#include "SKeyboardPressStrategy.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

// The keyboard as the engine sees it: keys by DirectInput code, read through a press strategy.
class SKeyboard {
 public:
  // Kind 0 counts a held key as pressed on every query, kind 1 once per press; any other kind
  // raises "can't create keyboard press strategy".
  explicit SKeyboard(DWORD strategyKind);
  virtual ~SKeyboard();
  virtual void DoUpdate() = 0;
  virtual void DoKill() = 0;
  virtual BYTE IsKeyPressed(BYTE key);

 protected:
  boost::shared_ptr<SKeyboardPressStrategy> m_strategy;
};

}  // namespace SCore

#pragma once

#include "SKeyboardPressStrategy.h"

namespace SCore {

// A key counts as pressed on the first query after it went down, and again only after a query
// has seen it up. One thread must own the queries: they write the latch table.
class SKeyboardPressOnce : public SKeyboardPressStrategy {
 public:
  BYTE IsPressed(BYTE key) override;

 private:
  BYTE m_latches[256] = {};
};

}  // namespace SCore

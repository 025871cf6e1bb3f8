#include "SKeyboard.h"

#include "KorvexCoreException.h"
#include "SKeyboardPressDefault.h"
#include "SKeyboardPressOnce.h"

namespace SCore {

namespace {

boost::shared_ptr<SKeyboardPressStrategy> MakeStrategy(DWORD kind) {
  switch (kind) {
    case 0:
      return boost::shared_ptr<SKeyboardPressStrategy>(new SKeyboardPressDefault);
    case 1:
      return boost::shared_ptr<SKeyboardPressStrategy>(new SKeyboardPressOnce);
    default:
      throw KorvexCoreException("can't create keyboard press strategy");
  }
}

}  // namespace

SKeyboard::SKeyboard(DWORD strategyKind) : m_strategy(MakeStrategy(strategyKind)) {}

SKeyboard::~SKeyboard() = default;

BYTE SKeyboard::IsKeyPressed(BYTE key) { return m_strategy->IsPressed(key); }

}  // namespace SCore

#include "SLockGuard.h"

namespace KorvexEngine {

SLockGuard::SLockGuard() { InitializeCriticalSection(&m_section); }

SLockGuard::~SLockGuard() { DeleteCriticalSection(&m_section); }

void SLockGuard::Lock() { EnterCriticalSection(&m_section); }

void SLockGuard::Unlock() { LeaveCriticalSection(&m_section); }

}  // namespace KorvexEngine

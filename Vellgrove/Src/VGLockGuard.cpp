#include "VGLockGuard.h"

namespace Vellgrove {

VGLockGuard::VGLockGuard() { InitializeCriticalSection(&m_section); }

VGLockGuard::~VGLockGuard() { DeleteCriticalSection(&m_section); }

void VGLockGuard::Lock() { EnterCriticalSection(&m_section); }

void VGLockGuard::Unlock() { LeaveCriticalSection(&m_section); }

}  // namespace Vellgrove

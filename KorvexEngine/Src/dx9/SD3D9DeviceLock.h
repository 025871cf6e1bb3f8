#pragma once

#include "SRenderDevice.h"

namespace SCore {

// Holds a render device's lock for a scope, so that every way out of it leaves the lock.
class SD3D9DeviceLock {
 public:
  explicit SD3D9DeviceLock(SRenderDevice& device) : m_device(device), m_native(device.Lock()) {}
  ~SD3D9DeviceLock() { m_device.Unlock(); }
  SD3D9DeviceLock(const SD3D9DeviceLock&) = delete;
  SD3D9DeviceLock& operator=(const SD3D9DeviceLock&) = delete;

  IDirect3DDevice9* Native() const { return m_native; }

 private:
  SRenderDevice& m_device;
  IDirect3DDevice9* m_native;
};

}  // namespace SCore

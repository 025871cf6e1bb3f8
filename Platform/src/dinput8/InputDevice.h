// What the keyboard and the mouse devices share: reference counting, data format, cooperative
// level and acquisition. Every operation runs under the input store's lock.
#pragma once

#include "InputStore.h"

#include "Platform/DInput8.h"

#include <atomic>

namespace Platform {

class InputDevice : public IDirectInputDevice8A {
 public:
  explicit InputDevice(const DIDATAFORMAT& expectedFormat);

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT SetDataFormat(LPCDIDATAFORMAT format) override;
  HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
  HRESULT SetProperty(REFGUID property, LPCDIPROPHEADER header) override;
  HRESULT Acquire() override;
  HRESULT Unacquire() override;

 protected:
  // DI_OK while the device is acquired and has not lost its input since; a lost device is no
  // longer acquired.
  HRESULT CheckAcquired(InputStore& store);
  // Whether the device is acquired and has not lost its input, leaving the loss to be reported.
  bool IsAcquired(const InputStore& store) const;
  DWORD BufferSize() const { return m_bufferSize; }

 private:
  std::atomic<ULONG> m_references{1};
  const DIDATAFORMAT& m_expectedFormat;
  bool m_hasFormat = false;
  bool m_acquired = false;
  unsigned m_acquiredInGeneration = 0;
  DWORD m_bufferSize = 0;
};

}  // namespace Platform

#include "InputStore.h"

#include "MouseDevice.h"

#include "Platform/InputEvents.h"
#include "Platform/Win32Input.h"
#include "Platform/MMSystem.h"

namespace Platform {

InputStore& InputStore::Instance() {
  // Never destroyed: devices released by exit-time destructors still unregister here.
  static InputStore* store = new InputStore;
  return *store;
}

HRESULT InputStore::TakeInjectedFailure(const char* operation) {
  const auto found = injectedFailures.find(operation);
  if (found == injectedFailures.end()) return S_OK;
  const HRESULT result = found->second;
  injectedFailures.erase(found);
  return result;
}

namespace {

void SendToMice(InputStore& store, DWORD offset, DWORD data) {
  for (MouseDevice* mouse : store.mice) mouse->Buffer(offset, data, timeGetTime(), store.sequence++);
}

void SetButton(InputStore& store, int button, bool down) {
  if (button < 0 || button >= static_cast<int>(store.buttons.size()) || store.buttons[button] == down) return;
  store.buttons[button] = down;
  SendToMice(store, DIMOFS_BUTTON0 + button, down ? 0x80 : 0);
}

}  // namespace

namespace InputEvents {

void KeyChanged(BYTE dik, bool down) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.keys[dik] = down ? 0x80 : 0;
}

void MouseButtonChanged(int button, bool down) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  SetButton(store, button, down);
}

void MouseMoved(int dx, int dy) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (dx != 0) SendToMice(store, DIMOFS_X, static_cast<DWORD>(dx));
  if (dy != 0) SendToMice(store, DIMOFS_Y, static_cast<DWORD>(dy));
}

void WheelMoved(int delta) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  if (delta != 0) SendToMice(store, DIMOFS_Z, static_cast<DWORD>(delta));
}

void FocusLost() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.keys.fill(0);
  for (int button = 0; button < static_cast<int>(store.buttons.size()); ++button) SetButton(store, button, false);
}

void LoseAcquisition() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  ++store.lossGeneration;
}

void CursorMovedTo(LONG x, LONG y) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.cursor = POINT{x, y};
}

void Reset() {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.keys.fill(0);
  store.buttons.fill(false);
  store.injectedFailures.clear();
}

}  // namespace InputEvents

namespace Testing {

void FailNextDirectInputCall(const char* operation, HRESULT result) {
  InputStore& store = InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  store.injectedFailures[operation] = result;
}

}  // namespace Testing

}  // namespace Platform

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  Platform::InputStore& store = Platform::InputStore::Instance();
  std::lock_guard<std::recursive_mutex> lock(store.mutex);
  *point = store.cursor;
  return TRUE;
}

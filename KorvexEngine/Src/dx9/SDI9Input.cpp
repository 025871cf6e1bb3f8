#include "SDI9Input.h"

#include "SDI9Keyboard.h"
#include "SDI9Mouse.h"
#include "SDIResultTexts.h"
#include "SLoger.h"
#include "srethrow.h"

#include "KorvexCoreDX9Exception.h"

#include "Platform/Win32.h"

namespace SCore {

namespace {
const char* const kSource = ".\\Src\\dx9\\SDI9Input";
}  // namespace

SDI9Input::~SDI9Input() {
  // The devices go with the base part, after the DirectInput object.
  Release();
}

void SDI9Input::CreateInput(bool fullScreen, HWND window, DWORD cooperativeFlags, DWORD strategyKind) {
  KORVEX_TRY
    g_Loger << GetTimeStamp() << " Create DI9 input...";
    m_deviceWindow = window;
    void* created = nullptr;
    const HRESULT result =
        DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr);
    RaiseListedResult(result, {{DIERR_INVALIDPARAM, "can't create Direct Input - DIERR_INVALIDPARAM"},
                               {DIERR_OUTOFMEMORY, "can't create Direct Input - DIERR_OUTOFMEMORY"},
                               {DIERR_OLDDIRECTINPUTVERSION, "can't create Direct Input - DIERR_OLDDIRECTINPUTVERSION"},
                               {DIERR_BETADIRECTINPUTVERSION, "can't create Direct Input- DIERR_BETADIRECTINPUTVERSION"}});
    // Devices cannot be made without the DirectInput object, whatever the failure was.
    if (FAILED(result)) throw KorvexCoreDX9Exception("can't create Direct Input");
    Release();
    m_directInput = static_cast<IDirectInput8A*>(created);
    CreateKeyboard(cooperativeFlags, strategyKind);
    CreateMouse(fullScreen, cooperativeFlags);
    g_Loger << GetTimeStamp() << "Done\n";
  KORVEX_RETHROW("SDI9Input::CreateInput()", kSource)
}

void SDI9Input::CreateKeyboard(DWORD cooperativeFlags, DWORD strategyKind) {
  KORVEX_TRY
    m_keyboard.reset(new SDI9Keyboard(m_directInput, m_deviceWindow, cooperativeFlags, strategyKind));
  KORVEX_RETHROW("SDI9Input::CreateKeyboard()", kSource)
}

void SDI9Input::CreateMouse(bool fullScreen, DWORD cooperativeFlags) {
  KORVEX_TRY
    m_mouse.reset(new SDI9Mouse(m_directInput, m_deviceWindow, cooperativeFlags, fullScreen));
  KORVEX_RETHROW("SDI9Input::CreateMouse()", kSource)
}

void SDI9Input::Update() {
  KORVEX_TRY
    if (m_keyboard) m_keyboard->DoUpdate();
    if (m_mouse) m_mouse->DoUpdate();
  KORVEX_RETHROW("SDI9Input::Update()", kSource)
}

void SDI9Input::Release() {
  if (m_directInput != nullptr) {
    m_directInput->Release();
    m_directInput = nullptr;
  }
}

}  // namespace SCore

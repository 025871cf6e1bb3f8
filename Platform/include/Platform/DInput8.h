// DirectInput 8: the system keyboard as a 256-byte key-state table indexed by DIK codes, and the
// system mouse as a buffer of button and axis events. The devices read a store that the main
// thread's event pump feeds (see InputEvents.h), so any thread may poll them.
#pragma once

#include "Platform/COM.h"
#include "Platform/Win32Types.h"

#define DIRECTINPUT_VERSION 0x0800

#define DI_OK S_OK
#define DI_BUFFEROVERFLOW ((HRESULT)1)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047E)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481)
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154)
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015)
#define DIERR_ACQUIRED ((HRESULT)0x800700AA)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000C)
#define DIERR_INPUTLOST ((HRESULT)0x8007001E)
#define DIERR_NOTBUFFERED ((HRESULT)0x80040207)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002)
#define DIERR_UNSUPPORTED E_NOTIMPL

#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008

#define DIPH_DEVICE 0
#define DIMOFS_X 0
#define DIMOFS_Y 4
#define DIMOFS_Z 8
#define DIMOFS_BUTTON0 12
#define DIMOFS_BUTTON7 19

extern const GUID IID_IDirectInput8A;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;

// The size of a device's event buffer, given with a DIPROPDWORD.
extern const GUID DIPROP_BUFFERSIZE;

struct DIDATAFORMAT {
  DWORD dwSize;
  DWORD dwObjSize;
  DWORD dwFlags;
  DWORD dwDataSize;
};
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse;

struct DIPROPHEADER {
  DWORD dwSize;
  DWORD dwHeaderSize;
  DWORD dwObj;
  DWORD dwHow;
};
typedef const DIPROPHEADER* LPCDIPROPHEADER;

struct DIPROPDWORD {
  DIPROPHEADER diph;
  DWORD dwData;
};

// Twenty bytes, as callers size it: the application value is 32 bits here.
struct DIDEVICEOBJECTDATA {
  DWORD dwOfs;
  DWORD dwData;
  DWORD dwTimeStamp;
  DWORD dwSequence;
  DWORD uAppData;
};
typedef DIDEVICEOBJECTDATA* LPDIDEVICEOBJECTDATA;

class IDirectInputDevice8A : public IUnknown {
 public:
  virtual HRESULT SetDataFormat(LPCDIDATAFORMAT format) = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  virtual HRESULT SetProperty(REFGUID property, LPCDIPROPHEADER header) = 0;
  virtual HRESULT Acquire() = 0;
  virtual HRESULT Unacquire() = 0;
  virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
  virtual HRESULT GetDeviceData(DWORD objectDataSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags) = 0;
};
typedef IDirectInputDevice8A* LPDIRECTINPUTDEVICE8A;

class IDirectInput8A : public IUnknown {
 public:
  virtual HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE8A* created, void* outer) = 0;
};
typedef IDirectInput8A* LPDIRECTINPUT8A;

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID interfaceId, LPVOID* created, void* outer);

// DirectInput key codes that the engine and the game name.
#define DIK_ESCAPE 0x01
#define DIK_W 0x11
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_N 0x31
#define DIK_SPACE 0x39
#define DIK_RCONTROL 0x9D
#define DIK_UP 0xC8
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_DOWN 0xD0

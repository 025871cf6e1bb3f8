// What the COM-style interfaces of the stand-in share (Direct3D 9 here; DirectInput 8, DirectSound
// 8 and DirectShow use the same): reference counting through IUnknown, GUIDs, and 64-bit integers
// as the original headers declare them.
#pragma once

#include "Platform/Win32Types.h"

typedef std::int64_t LONGLONG;

#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0)

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};

typedef const GUID& REFGUID;
typedef const GUID& REFIID;
typedef GUID IID;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  };
  LONGLONG QuadPart;
};

// AddRef answers the new count; Release answers what is left and frees the object at zero.
struct IUnknown {
  virtual ~IUnknown() = default;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};

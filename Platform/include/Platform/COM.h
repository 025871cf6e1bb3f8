// What the COM-style interfaces of the stand-in share (Direct3D 9 here; DirectInput 8, DirectSound
// 8 and DirectShow use the same): reference counting through IUnknown, GUIDs, and 64-bit integers
// as the original headers declare them.
#pragma once

#include "Platform/Win32Types.h"

typedef std::uint32_t ULONG;
typedef std::int64_t LONGLONG;

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};

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

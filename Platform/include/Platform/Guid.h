// Globally unique identifiers, as the COM-style interfaces name their classes and devices.
#pragma once

#include "Platform/Win32Types.h"

#include <cstring>

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
typedef const GUID& REFGUID;
typedef const GUID& REFIID;
typedef GUID IID;

inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

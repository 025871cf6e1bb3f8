#include "Platform/Win32.h"

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  static int programModule;
  return moduleName == nullptr ? reinterpret_cast<HMODULE>(&programModule) : nullptr;
}

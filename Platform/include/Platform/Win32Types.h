// Basic types and result values of the Win32 interfaces that the engine and the game call.
#pragma once

#include <cstdint>
#include <cstddef>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::uint32_t UINT;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int32_t HRESULT;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef char CHAR;
typedef wchar_t WCHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;

// Handles are opaque pointers to distinct incomplete types, as on the original platform.
#define KORVEX_DECLARE_HANDLE(name) \
  struct name##__;                  \
  typedef struct name##__* name
KORVEX_DECLARE_HANDLE(HWND);
KORVEX_DECLARE_HANDLE(HINSTANCE);
KORVEX_DECLARE_HANDLE(HICON);
KORVEX_DECLARE_HANDLE(HCURSOR);
KORVEX_DECLARE_HANDLE(HBRUSH);
KORVEX_DECLARE_HANDLE(HMENU);
KORVEX_DECLARE_HANDLE(HRSRC);
KORVEX_DECLARE_HANDLE(HGLOBAL_);
typedef HINSTANCE HMODULE;
typedef HANDLE HGLOBAL;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define MAX_PATH 260

struct POINT {
  LONG x;
  LONG y;
};
typedef POINT* LPPOINT;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

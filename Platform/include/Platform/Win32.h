// Threads, critical sections, sleeping, local time, files, folders, environment and the message
// box: the Win32 calls of the engine and the game, over POSIX and the C++ standard library.
// Paths passed in use either separator; they are translated at this boundary (see NativePath.h).
#pragma once

#include "Platform/Win32Types.h"

#include <memory>
#include <mutex>

// --- Threads -------------------------------------------------------------------------------------

typedef unsigned (*_beginthreadex_proc_type)(void*);

// Starts a detached thread running proc(arglist) at once. Answers an opaque non-zero handle and
// stores a unique non-zero id in *thrdaddr, or answers 0 (errno set) when no thread can be made.
// Threads cannot start suspended here: any initflag but 0 is refused.
UINT_PTR _beginthreadex(void* security, unsigned stack_size, _beginthreadex_proc_type start_address,
                        void* arglist, unsigned initflag, unsigned* thrdaddr);

#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

HANDLE GetCurrentThread();
DWORD GetCurrentThreadId();
int GetThreadPriority(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);

void Sleep(DWORD milliseconds);

// --- Critical sections: re-entrant locks, left by the thread that entered them -------------------

struct CRITICAL_SECTION {
  std::unique_ptr<std::recursive_mutex> mutex;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

// --- Local time ----------------------------------------------------------------------------------

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;

void GetLocalTime(LPSYSTEMTIME time);

// --- Files, folders and environment --------------------------------------------------------------

BOOL PathIsDirectoryW(LPCWSTR path);

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
// Makes one folder; FALSE when it exists already or its parent is missing.
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);

// Copies the working directory with its NUL when it fits and answers its length without the NUL;
// otherwise answers the buffer size needed, NUL included.
DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer);

// Copies the value with its NUL when it fits and answers its length; answers the size needed when
// it does not fit, and 0 when the variable is not set.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
// Sets the variable, or removes it when value is null. Values of variables whose names end in
// "PATH" are path lists: backslashes become slashes and ';' separators become ':'.
BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);

// --- Folder listings -----------------------------------------------------------------------------

#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  WCHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;

// Lists the folder of a pattern such as "splash\*.*" ('*' and '?' in its last component; "*.*"
// matches every name, as on the original platform), "." and ".." included, in the order in which
// the system returns the entries. Answers INVALID_HANDLE_VALUE when the folder cannot be read or
// nothing matches (GetLastError tells which); names too long for cFileName are left out.
HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW found);
// FALSE when the listing has no further entry.
BOOL FindNextFileW(HANDLE listing, LPWIN32_FIND_DATAW found);
BOOL FindClose(HANDLE listing);
#define ERROR_NO_MORE_FILES 18

#define CSIDL_PERSONAL 0x0005
// CSIDL_PERSONAL: the user's documents folder (XDG_DOCUMENTS_DIR, else $HOME/Documents), made
// when missing and create is TRUE. The buffer holds at least MAX_PATH wide characters.
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int csidl, BOOL create);

DWORD GetLastError();
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_ACCESS_DENIED 5
#define ERROR_GEN_FAILURE 31
#define ERROR_DISK_FULL 112
#define ERROR_ENVVAR_NOT_FOUND 203
#define ERROR_ALREADY_EXISTS 183

// --- Modules -----------------------------------------------------------------------------------

// The program's own module for a null name; null for any other name (there are no libraries).
HMODULE GetModuleHandleA(LPCSTR moduleName);

// --- Message box ---------------------------------------------------------------------------------

#define MB_OK 0x00000000
#define MB_ICONERROR 0x00000010
#define IDOK 1

// Shows a modal box on the calling thread and waits until it is closed; the caption defaults to
// "Error". Without a display the text goes to standard error instead.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

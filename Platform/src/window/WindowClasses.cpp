#include "Platform/Win32WindowClass.h"

#include <map>
#include <mutex>
#include <string>

namespace {

struct RegisteredClass {
  WNDPROC procedure;
  HCURSOR cursor;
  ATOM atom;
};

std::mutex g_mutex;
std::map<std::string, RegisteredClass> g_classes;
ATOM g_nextAtom = 0xC000;

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr) return 0;
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto inserted =
      g_classes.emplace(windowClass->lpszClassName, RegisteredClass{windowClass->lpfnWndProc, windowClass->hCursor, 0});
  if (!inserted.second) return 0;
  inserted.first->second.atom = g_nextAtom++;
  return inserted.first->second.atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE /*instance*/) {
  if (className == nullptr) return FALSE;
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_classes.erase(className) == 1;
}

namespace Platform {

WNDPROC ClassProcedure(LPCSTR className) {
  if (className == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto found = g_classes.find(className);
  return found == g_classes.end() ? nullptr : found->second.procedure;
}

HCURSOR ClassCursor(LPCSTR className) {
  if (className == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_mutex);
  const auto found = g_classes.find(className);
  return found == g_classes.end() ? nullptr : found->second.cursor;
}

}  // namespace Platform

#include "Platform/NativePath.h"
#include "Platform/TestHooks.h"
#include "Platform/Win32.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

std::mutex g_recordMutex;
bool g_recording = false;
std::vector<Platform::Testing::MessageBoxRecord> g_records;

// Message texts are narrow; bytes that are no UTF-8 are taken as Latin-1 so that nothing is lost.
std::string AsUtf8(const char* text) {
  const std::string narrow = text == nullptr ? std::string() : std::string(text);
  if (Platform::IsValidUtf8(narrow)) return narrow;
  return Platform::WideToUtf8(Platform::WidenBytes(narrow));
}

bool DisplayAvailable() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return false;
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string title = caption == nullptr ? std::string("Error") : AsUtf8(caption);
  {
    std::lock_guard<std::mutex> lock(g_recordMutex);
    if (g_recording) {
      g_records.push_back({text == nullptr ? std::string() : std::string(text),
                           caption == nullptr ? std::string() : std::string(caption), type});
      return IDOK;
    }
  }
  const std::string message = AsUtf8(text);
  // The box has no parent: it must work on any thread, while the main thread pumps nothing.
  if (DisplayAvailable() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr) == 0) {
    return IDOK;
  }
  std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
  return IDOK;
}

namespace Platform {
namespace Testing {

void StartRecordingMessageBoxes() {
  std::lock_guard<std::mutex> lock(g_recordMutex);
  g_recording = true;
  g_records.clear();
}

std::vector<MessageBoxRecord> TakeRecordedMessageBoxes() {
  std::lock_guard<std::mutex> lock(g_recordMutex);
  std::vector<MessageBoxRecord> taken;
  taken.swap(g_records);
  return taken;
}

void StopRecordingMessageBoxes() {
  std::lock_guard<std::mutex> lock(g_recordMutex);
  g_recording = false;
  g_records.clear();
}

}  // namespace Testing
}  // namespace Platform

#include "Platform/SoundTestHooks.h"
#include "Platform/Win32.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  static int programModule;
  return moduleName == nullptr ? reinterpret_cast<HMODULE>(&programModule) : nullptr;
}

namespace {

struct ModuleResource {
  std::string bytes;
};

std::mutex g_resourcesMutex;
// Entries are never moved once added, so that a handle stays valid while the table grows.
std::map<std::pair<std::string, std::string>, ModuleResource> g_resources;

bool IsOwnModule(HMODULE module) { return module == nullptr || module == GetModuleHandleA(nullptr); }

}  // namespace

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!IsOwnModule(module) || name == nullptr || type == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  const auto found = g_resources.find({name, type});
  return found == g_resources.end() ? nullptr : reinterpret_cast<HRSRC>(&found->second);
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  return IsOwnModule(module) && resource != nullptr ? static_cast<HGLOBAL>(resource) : nullptr;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (!IsOwnModule(module) || resource == nullptr) return 0;
  return static_cast<DWORD>(reinterpret_cast<ModuleResource*>(resource)->bytes.size());
}

LPVOID LockResource(HGLOBAL loaded) {
  return loaded == nullptr ? nullptr : static_cast<ModuleResource*>(loaded)->bytes.data();
}

namespace Platform {
namespace Testing {

void AddModuleResource(const std::string& name, const std::string& type, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  g_resources[{name, type}].bytes = bytes;
}

void ClearModuleResources() {
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  g_resources.clear();
}

}  // namespace Testing
}  // namespace Platform

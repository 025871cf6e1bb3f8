#include "WrittenPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace DataCheck {

namespace fs = std::filesystem;

namespace {

std::string LowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The entry of the folder whose name differs from the wanted one in ASCII case alone; "" when none.
std::string FindIgnoringCase(const fs::path& folder, const std::string& wanted) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return "";
  const std::string lowered = LowerAscii(wanted);
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (LowerAscii(name) == lowered) return name;
  }
  return "";
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

std::string WithSlashes(const std::string& written) {
  std::string path = written;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

WrittenPath ResolveWrittenPath(const std::string& written) {
  WrittenPath result;
  result.writtenWithSlash = written.find('/') != std::string::npos;
  result.state = WrittenPath::State::Exact;
  std::istringstream components(WithSlashes(written));
  std::string component;
  while (std::getline(components, component, '/')) {
    if (component.empty() || component == ".") continue;
    const std::string exact = Join(result.onDisk, component);
    std::error_code error;
    if (fs::exists(exact, error)) {
      result.onDisk = exact;
      continue;
    }
    const std::string found = FindIgnoringCase(result.onDisk.empty() ? "." : result.onDisk, component);
    if (found.empty()) {
      result.state = WrittenPath::State::Missing;
      return result;
    }
    result.onDisk = Join(result.onDisk, found);
    result.state = WrittenPath::State::CaseDiffers;
  }
  std::error_code error;
  if (!fs::is_regular_file(result.onDisk, error)) result.state = WrittenPath::State::Missing;
  return result;
}

}  // namespace DataCheck

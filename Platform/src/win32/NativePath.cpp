#include "Platform/NativePath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace Platform {

namespace {

const char32_t kReplacementCharacter = 0xFFFD;
// Bytes that are no UTF-8 stand as 0xDC80 to 0xDCFF, values no valid sequence decodes to.
const char32_t kEscapedByteBase = 0xDC00;

bool IsSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDFFF; }
bool IsEscapedByte(char32_t value) { return value >= kEscapedByteBase + 0x80 && value <= kEscapedByteBase + 0xFF; }

void AppendUtf8(char32_t codePoint, std::string& out) {
  if (IsEscapedByte(codePoint)) {
    out += static_cast<char>(codePoint - kEscapedByteBase);
    return;
  }
  if (codePoint > 0x10FFFF || IsSurrogate(codePoint)) codePoint = kReplacementCharacter;
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Decodes one sequence at text[pos]; answers its length, or 0 when no valid sequence starts there.
std::size_t DecodeUtf8(const std::string& text, std::size_t pos, char32_t& codePoint) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || IsSurrogate(codePoint)) return 0;
  return length;
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The entry of folder whose name matches name without regard to ASCII case, or an empty text.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* directory = opendir(folder.empty() ? "." : folder.c_str());
  if (directory == nullptr) return std::string();
  std::string match;
  while (dirent* entry = readdir(directory)) {
    if (EqualIgnoringAsciiCase(entry->d_name, name)) {
      match = entry->d_name;
      break;
    }
  }
  closedir(directory);
  return match;
}

std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::size_t end = slash == std::string::npos ? path.size() : slash;
    components.push_back(path.substr(start, end - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return components;
}

}  // namespace

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t unit : text) {
    const auto codePoint = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(unit));
    AppendUtf8(codePoint, out);
  }
  return out;
}

std::wstring Utf8ToWide(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t codePoint;
    const std::size_t length = DecodeUtf8(text, pos, codePoint);
    const auto byte = static_cast<unsigned char>(text[pos]);
    out += static_cast<wchar_t>(length == 0 ? kEscapedByteBase + byte : codePoint);
    pos += length == 0 ? 1 : length;
  }
  return out;
}

std::wstring WidenBytes(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
  return wide;
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t codePoint;
    const std::size_t length = DecodeUtf8(text, pos, codePoint);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string ToNativePath(const std::string& path) {
  std::string slashed = path;
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  if (slashed.empty() || Exists(slashed)) return slashed;

  std::string resolved;
  bool parentExists = true;
  const std::vector<std::string> components = SplitComponents(slashed);
  for (std::size_t i = 0; i < components.size(); ++i) {
    const std::string& component = components[i];
    std::string name = component;
    const bool special = component.empty() || component == "." || component == "..";
    if (parentExists && !special && !Exists(resolved + component)) {
      const std::string match = FindEntryIgnoringCase(resolved, component);
      if (match.empty()) {
        parentExists = false;
      } else {
        name = match;
      }
    }
    resolved += name;
    if (i + 1 < components.size()) resolved += '/';
  }
  return resolved;
}

std::string ToNativePath(const std::wstring& path) { return ToNativePath(WideToUtf8(path)); }

bool IsRegularFile(const std::string& nativePath) {
  struct stat info;
  return stat(nativePath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& nativePath) {
  struct stat info;
  return stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace Platform

// Translation of the paths that the engine and the game write Windows-style ("Levels\map.xml")
// into paths of this system, and the UTF-8 forms of wide text.
#pragma once

#include <string>

namespace Platform {

// File names on Linux are bytes and need not be UTF-8. So that every name survives the round
// trip, a byte that starts no valid UTF-8 sequence becomes the wide value 0xDC00 plus the byte,
// and such values become that byte again; other values that are no code point become U+FFFD.
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
bool IsValidUtf8(const std::string& text);
// Each byte as the character of the same value (Latin-1): bytes 0x80 to 0xFF widen as unsigned.
std::wstring WidenBytes(const std::string& bytes);

// Backslashes become slashes, then every component that does not exist under its exact name is
// looked up without regard to ASCII case in its parent folder. A component that matches nothing
// (a file about to be made) is kept as written.
std::string ToNativePath(const std::string& path);
std::string ToNativePath(const std::wstring& path);

bool IsRegularFile(const std::string& nativePath);
bool IsDirectory(const std::string& nativePath);

}  // namespace Platform

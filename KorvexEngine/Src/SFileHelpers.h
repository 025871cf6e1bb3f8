// Reading whole files, testing for them, and the user's documents folder. Paths may be written
// Windows-style; they are translated when the file is opened.
#pragma once

#include <istream>
#include <string>
#include <vector>

// The whole file as text: each carriage return and line feed pair reads as one line feed.
// Raises KorvexCoreException "File [path] not found" when it cannot be opened (a folder included)
// and "File [path] read error" when reading fails part-way.
std::string ReadFileToString(const std::wstring& path);
// The whole file, byte for byte; fails as ReadFileToString does.
std::vector<char> ReadFileToBytes(const std::wstring& path);
// The rest of an open stream; raises "File [path] read error" when the stream fails part-way.
std::vector<char> ReadStreamToBytes(std::istream& stream, const std::wstring& path);
bool IsFileExists(const std::wstring& path);
// The documents folder without a separator at its end; never empty: without one it falls back to
// the home folder (then the working directory) and logs that.
std::wstring GetMyDocumentsPath();

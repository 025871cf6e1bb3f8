#pragma once

#include <string>

// Replaces the file's content as one step: the bytes go to a new file in the same folder, which is
// written, flushed to the disk and then renamed over the target. A crash or a full disk part-way
// leaves the old file as it was. Raises KorvexCoreException "Cannot write file [path]: reason".
void ReplaceFileContent(const std::wstring& path, const std::string& bytes);

#pragma once

#include <cwchar>
#include <locale>

namespace SCore {

// Wide text to UTF-8 bytes for the log file, in text mode: every line feed is written as a
// carriage return and a line feed. Reading does the reverse decoding, without the line ends.
class utf8_conversion : public std::codecvt<wchar_t, char, std::mbstate_t> {
 protected:
  result do_out(std::mbstate_t& state, const wchar_t* from, const wchar_t* fromEnd, const wchar_t*& fromNext,
                char* to, char* toEnd, char*& toNext) const override;
  result do_in(std::mbstate_t& state, const char* from, const char* fromEnd, const char*& fromNext, wchar_t* to,
               wchar_t* toEnd, wchar_t*& toNext) const override;
  int do_encoding() const noexcept override { return 0; }
  bool do_always_noconv() const noexcept override { return false; }
  // Four bytes is the longest form of one character; the file stream sizes its buffer by it.
  int do_max_length() const noexcept override { return 4; }
};

}  // namespace SCore

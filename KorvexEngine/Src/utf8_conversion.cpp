#include "utf8_conversion.h"

#include <cstdint>

namespace SCore {

namespace {

// The bytes of one wide unit; answers how many were written into bytes (at most 4).
int EncodeUnit(wchar_t unit, char bytes[4]) {
  auto value = static_cast<std::uint32_t>(unit);
  if (value == L'\n') {
    bytes[0] = '\r';
    bytes[1] = '\n';
    return 2;
  }
  if (value > 0x10FFFF) value = 0xFFFD;
  if (value < 0x80) {
    bytes[0] = static_cast<char>(value);
    return 1;
  }
  if (value < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (value >> 6));
    bytes[1] = static_cast<char>(0x80 | (value & 0x3F));
    return 2;
  }
  if (value < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (value >> 12));
    bytes[1] = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (value & 0x3F));
    return 3;
  }
  bytes[0] = static_cast<char>(0xF0 | (value >> 18));
  bytes[1] = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
  bytes[2] = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
  bytes[3] = static_cast<char>(0x80 | (value & 0x3F));
  return 4;
}

int LeadingOnes(unsigned char byte) {
  int count = 0;
  while (count < 8 && (byte & (0x80 >> count)) != 0) ++count;
  return count;
}

}  // namespace

utf8_conversion::result utf8_conversion::do_out(std::mbstate_t&, const wchar_t* from, const wchar_t* fromEnd,
                                                const wchar_t*& fromNext, char* to, char* toEnd,
                                                char*& toNext) const {
  for (; from != fromEnd; ++from) {
    char bytes[4];
    const int length = EncodeUnit(*from, bytes);
    if (toEnd - to < length) break;
    for (int i = 0; i < length; ++i) *to++ = bytes[i];
  }
  fromNext = from;
  toNext = to;
  return from == fromEnd ? ok : partial;
}

utf8_conversion::result utf8_conversion::do_in(std::mbstate_t&, const char* from, const char* fromEnd,
                                               const char*& fromNext, wchar_t* to, wchar_t* toEnd,
                                               wchar_t*& toNext) const {
  result outcome = ok;
  while (from != fromEnd && to != toEnd) {
    const auto lead = static_cast<unsigned char>(*from);
    if (lead < 0x80) {
      *to++ = static_cast<wchar_t>(lead);
      ++from;
      continue;
    }
    const int length = LeadingOnes(lead);
    if (fromEnd - from < length) {
      outcome = partial;
      break;
    }
    std::uint32_t value = lead & (0xFFu >> (length + 1));
    for (int i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(from[i]) & 0x3F);
    *to++ = static_cast<wchar_t>(value);
    from += length;
  }
  fromNext = from;
  toNext = to;
  return outcome;
}

}  // namespace SCore

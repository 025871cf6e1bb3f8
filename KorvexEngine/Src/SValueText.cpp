#include "SValueText.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>

#include <charconv>
#include <system_error>
#include <typeinfo>

namespace SCore {

namespace {

template <typename Value, typename... Format>
std::string FormatWithCharconv(Value value, Format... format) {
  char buffer[64];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), value, format...);
  return std::string(buffer, result.ptr);
}

// from_chars takes no plus sign; the lexical conversion accepts one before a number.
const char* SkipPlusSign(const char* first, const char* last) {
  if (last - first >= 2 && *first == '+' && first[1] != '-' && first[1] != '+') return first + 1;
  return first;
}

template <typename Value>
Value ParseWithCharconv(const std::string& text) {
  const char* last = text.data() + text.size();
  const char* first = SkipPlusSign(text.data(), last);
  Value value{};
  const std::from_chars_result result = std::from_chars(first, last, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != last) {
    throw boost::bad_lexical_cast(typeid(std::string), typeid(Value));
  }
  return value;
}

}  // namespace

std::string ValueToText(bool value) { return value ? "1" : "0"; }
std::string ValueToText(short value) { return FormatWithCharconv(value); }
std::string ValueToText(unsigned short value) { return FormatWithCharconv(value); }
std::string ValueToText(int value) { return FormatWithCharconv(value); }
std::string ValueToText(unsigned int value) { return FormatWithCharconv(value); }
std::string ValueToText(float value) { return FormatWithCharconv(value, std::chars_format::general, 9); }
std::string ValueToText(double value) { return FormatWithCharconv(value, std::chars_format::general, 17); }

template <typename Value>
Value TextToValue(const std::string& text) {
  return ParseWithCharconv<Value>(text);
}

template <>
bool TextToValue<bool>(const std::string& text) {
  if (text == "1") return true;
  if (text == "0") return false;
  throw boost::bad_lexical_cast(typeid(std::string), typeid(bool));
}

template short TextToValue<short>(const std::string&);
template unsigned short TextToValue<unsigned short>(const std::string&);
template int TextToValue<int>(const std::string&);
template unsigned int TextToValue<unsigned int>(const std::string&);
template float TextToValue<float>(const std::string&);
template double TextToValue<double>(const std::string&);

}  // namespace SCore

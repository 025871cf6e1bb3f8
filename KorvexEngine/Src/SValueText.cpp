#include "SValueText.h"

#include "KorvexCoreException.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <type_traits>
#include <typeinfo>

// lexical_cast itself is not called: it takes digit grouping, and for floats the decimal point, from
// the global C++ locale, which any library in the process may change. Its rules are restated here
// instead, each where it applies.
namespace SCore {

namespace {

template <typename Value, typename... Format>
std::string FormatWithCharconv(Value value, Format... format) {
  char buffer[64];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), value, format...);
  return std::string(buffer, result.ptr);
}

template <typename Value>
[[noreturn]] void RefuseText() {
  throw boost::bad_lexical_cast(typeid(std::string), typeid(Value));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipDigits(const char* first, const char* last) {
  while (first != last && IsDigit(*first)) ++first;
  return first;
}

const char* SkipSign(const char* first, const char* last) {
  return first != last && (*first == '+' || *first == '-') ? first + 1 : first;
}

// One or more decimal digits whose value fits the type; leading zeros of any length are fine.
template <typename Unsigned>
bool ReadMagnitude(const char* first, const char* last, Unsigned& magnitude) {
  if (first == last) return false;
  constexpr Unsigned kMax = std::numeric_limits<Unsigned>::max();
  Unsigned value = 0;
  for (; first != last; ++first) {
    if (!IsDigit(*first)) return false;
    const Unsigned digit = static_cast<Unsigned>(*first - '0');
    if (value > (kMax - digit) / 10) return false;
    value = static_cast<Unsigned>(value * 10 + digit);
  }
  magnitude = value;
  return true;
}

// An optional sign and decimal digits. A signed type takes down to its minimum; an unsigned type takes
// a minus too and wraps, so "-1" is the type's maximum.
template <typename Integer>
Integer ReadInteger(const std::string& text) {
  using Unsigned = std::make_unsigned_t<Integer>;
  const char* first = text.data();
  const char* const last = first + text.size();
  const bool negative = first != last && *first == '-';
  Unsigned magnitude = 0;
  if (!ReadMagnitude(SkipSign(first, last), last, magnitude)) RefuseText<Integer>();
  if constexpr (std::is_signed_v<Integer>) {
    const Unsigned limit = negative ? static_cast<Unsigned>(Unsigned(1) << std::numeric_limits<Integer>::digits)
                                    : static_cast<Unsigned>(std::numeric_limits<Integer>::max());
    if (magnitude > limit) RefuseText<Integer>();
  }
  return static_cast<Integer>(negative ? static_cast<Unsigned>(0u - magnitude) : magnitude);
}

// A run of zeros ending in "0" or "1"; a plus may lead, and a minus before a false one.
bool ReadBool(const std::string& text) {
  if (text.empty() || (text.back() != '0' && text.back() != '1')) RefuseText<bool>();
  const bool value = text.back() == '1';
  std::string::size_type zeros = text.size() - 1;
  std::string::size_type first = 0;
  if (zeros > 0 && (text[0] == '+' || (text[0] == '-' && !value))) ++first;
  for (; first < zeros; ++first) {
    if (text[first] != '0') RefuseText<bool>();
  }
  return value;
}

bool EqualsIgnoringCase(const char* first, const char* last, const char* lowercase) {
  for (; first != last; ++first, ++lowercase) {
    if (*lowercase == '\0' || (*first | 0x20) != *lowercase) return false;
  }
  return *lowercase == '\0';
}

// "inf", "infinity", "nan" and "nan(" anything ")", in any case, after an optional sign.
template <typename Float>
bool ReadInfinityOrNan(const std::string& text, Float& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  const bool negative = first != last && *first == '-';
  first = SkipSign(first, last);
  Float magnitude;
  if (last - first >= 3 && EqualsIgnoringCase(first, first + 3, "nan")) {
    const char* const payload = first + 3;
    if (payload != last && (last - payload < 2 || *payload != '(' || last[-1] != ')')) return false;
    magnitude = std::numeric_limits<Float>::quiet_NaN();
  } else if (EqualsIgnoringCase(first, last, "inf") || EqualsIgnoringCase(first, last, "infinity")) {
    magnitude = std::numeric_limits<Float>::infinity();
  } else {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

// What the stream extraction behind lexical_cast takes whole under the classic locale: an optional
// sign, digits with at most one point and at least one digit, then an optional exponent with its own
// optional sign and at least one digit. No hex, no grouping, no blanks.
bool IsPlainDecimal(const std::string& text) {
  const char* const last = text.data() + text.size();
  const char* const mantissa = SkipSign(text.data(), last);
  const char* next = SkipDigits(mantissa, last);
  bool hasDigits = next != mantissa;
  if (next != last && *next == '.') {
    const char* const fraction = next + 1;
    next = SkipDigits(fraction, last);
    hasDigits = hasDigits || next != fraction;
  }
  if (!hasDigits) return false;
  if (next != last && (*next == 'e' || *next == 'E')) {
    const char* const exponent = SkipSign(next + 1, last);
    next = SkipDigits(exponent, last);
    if (next == exponent) return false;
  }
  return next == last;
}

// The classic locale's own strtod, which the stream extraction calls with the same locale object,
// so rounding, denormals and underflow to zero come out bit for bit alike.
locale_t ClassicCLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return classic;
}

float ConvertDecimal(const char* text, float) { return strtof_l(text, nullptr, ClassicCLocale()); }
double ConvertDecimal(const char* text, double) { return strtod_l(text, nullptr, ClassicCLocale()); }

// Too large for the type fails; too small gives a denormal or zero.
template <typename Float>
Float ReadFloat(const std::string& text) {
  Float value{};
  if (ReadInfinityOrNan(text, value)) return value;
  if (!IsPlainDecimal(text)) RefuseText<Float>();
  value = ConvertDecimal(text.c_str(), Float{});
  if (std::isinf(value)) RefuseText<Float>();
  return value;
}

const char* TypeName(bool) { return "bool"; }
const char* TypeName(short) { return "short"; }
const char* TypeName(unsigned short) { return "unsigned short"; }
const char* TypeName(int) { return "int"; }
const char* TypeName(unsigned int) { return "unsigned int"; }
const char* TypeName(float) { return "float"; }
const char* TypeName(double) { return "double"; }

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
  if constexpr (std::is_floating_point_v<Value>) {
    return ReadFloat<Value>(text);
  } else {
    return ReadInteger<Value>(text);
  }
}

template <>
bool TextToValue<bool>(const std::string& text) {
  return ReadBool(text);
}

template short TextToValue<short>(const std::string&);
template unsigned short TextToValue<unsigned short>(const std::string&);
template int TextToValue<int>(const std::string&);
template unsigned int TextToValue<unsigned int>(const std::string&);
template float TextToValue<float>(const std::string&);
template double TextToValue<double>(const std::string&);

template <typename Value>
Value AttributeTextToValue(const std::string& text, const std::string& attribute, const std::string& element) {
  try {
    return TextToValue<Value>(text);
  } catch (const boost::bad_lexical_cast&) {
    const std::string message = "can't convert value[" + text + "] of attribute[" + attribute + "] in element[" +
                                element + "] to type[" + TypeName(Value{}) + "]";
    throw KorvexCoreException(message.c_str());
  }
}

template bool AttributeTextToValue<bool>(const std::string&, const std::string&, const std::string&);
template short AttributeTextToValue<short>(const std::string&, const std::string&, const std::string&);
template unsigned short AttributeTextToValue<unsigned short>(const std::string&, const std::string&,
                                                             const std::string&);
template int AttributeTextToValue<int>(const std::string&, const std::string&, const std::string&);
template unsigned int AttributeTextToValue<unsigned int>(const std::string&, const std::string&, const std::string&);
template float AttributeTextToValue<float>(const std::string&, const std::string&, const std::string&);
template double AttributeTextToValue<double>(const std::string&, const std::string&, const std::string&);

}  // namespace SCore

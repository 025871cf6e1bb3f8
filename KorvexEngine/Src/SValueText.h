// The text forms of scalar values in documents. They never depend on the process locale, so a file
// written under one locale reads back under any other.
#pragma once

#include <string>

namespace SCore {

// bool "1"/"0"; integers in plain decimal; float as %g at 9 significant digits, double at 17.
std::string ValueToText(bool value);
std::string ValueToText(short value);
std::string ValueToText(unsigned short value);
std::string ValueToText(int value);
std::string ValueToText(unsigned int value);
std::string ValueToText(float value);
std::string ValueToText(double value);

// The whole text must be the value: no blanks around it, nothing after it, within the type's range.
// A bool is "0" or "1". Failure raises boost::bad_lexical_cast, as the lexical conversion does.
template <typename Value>
Value TextToValue(const std::string& text);

}  // namespace SCore

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

// Reads exactly what boost::lexical_cast 1.74 reads under the classic locale, with the same results,
// whatever the global C and C++ locales are. Documents written by hand and by other tools rely on its
// leniencies: a sign before any number, leading zeros, "-1" into an unsigned type as its maximum
// (and "-5" into unsigned short as 65531), bools written "01", "+1" or "-0", inf and nan in any case,
// and a float too small for its type as 0 or a denormal. The whole text must be the value: no blanks
// around it and nothing after it. Failure raises boost::bad_lexical_cast.
template <typename Value>
Value TextToValue(const std::string& text);

// TextToValue of the value of a document's attribute. A text that does not convert raises
// KorvexCoreException "can't convert value[<text>] of attribute[<attribute>] in element[<element>]
// to type[<type>]": a bad number in a data file then fails as its other load failures do, and the
// loader's handler adds the file's name to a message that already says which value to mend.
template <typename Value>
Value AttributeTextToValue(const std::string& text, const std::string& attribute, const std::string& element);

}  // namespace SCore

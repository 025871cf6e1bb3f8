// Helpers for comparing the engine's reading of numbers with boost::lexical_cast itself.
#pragma once

#include <boost/lexical_cast.hpp>

#include <locale>
#include <ostream>
#include <sstream>
#include <string>

namespace NumberTextTestSupport {

// What one conversion gave: the value's exact bytes (so -0 and the sign of a NaN count), or a failure.
struct Outcome {
  bool failed = true;
  std::string bytes;
  std::string shown;

  bool operator==(const Outcome& other) const { return failed == other.failed && bytes == other.bytes; }
};

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  return out << (outcome.failed ? "(bad_lexical_cast)" : outcome.shown);
}

template <typename Value, typename Convert>
Outcome OutcomeOf(Convert convert) {
  Outcome outcome;
  try {
    const Value value = convert();
    outcome.failed = false;
    outcome.bytes.assign(reinterpret_cast<const char*>(&value), sizeof value);
    std::ostringstream shown;
    shown.imbue(std::locale::classic());
    shown.precision(17);
    shown << +value;
    outcome.shown = shown.str();
  } catch (const boost::bad_lexical_cast&) {
  }
  return outcome;
}

template <typename Value>
Outcome LexicalCastOutcome(const std::string& text) {
  return OutcomeOf<Value>([&] { return boost::lexical_cast<Value>(text); });
}

// Calls the visitor with a value of every kind that the document readers read.
template <typename Visitor>
void ForEachReadKind(Visitor visitor) {
  visitor(false);
  visitor(static_cast<short>(0));
  visitor(static_cast<unsigned short>(0));
  visitor(0);
  visitor(0u);
  visitor(0.0f);
  visitor(0.0);
}

// Shows a text with its blanks and control bytes visible.
inline std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f) {
      quoted += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789abcdef";
      quoted += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    }
  }
  return quoted + "\"";
}

}  // namespace NumberTextTestSupport

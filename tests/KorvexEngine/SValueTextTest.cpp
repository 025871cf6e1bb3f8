#include "NumberTextTestSupport.h"
#include "SValueText.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>
#include <typeinfo>
#include <vector>

using NumberTextTestSupport::ForEachReadKind;
using NumberTextTestSupport::LexicalCastOutcome;
using NumberTextTestSupport::Outcome;
using NumberTextTestSupport::OutcomeOf;
using NumberTextTestSupport::Quoted;

namespace {

// Every body is tried bare and with each prefix and each suffix, so signs, blanks, leading zeros and
// trailing junk meet every kind of number and not-number.
const char* const kBodies[] = {
    // integers around the limits of every integer kind
    "", "0", "1", "2", "9", "00", "01", "10", "000001", "123", "127", "128", "255", "256", "32767", "32768",
    "32769", "65535", "65536", "65537", "99999", "2147483647", "2147483648", "2147483649", "4294967295",
    "4294967296", "9223372036854775807", "18446744073709551615", "18446744073709551616",
    // decimals and their malformed cousins
    "1.5", "0.5", ".5", "5.", ".", "..5", "1.5.", "1..5", "0.100000001", "0.10000000000000001",
    "3.14159265358979323846264338327950288", "1.0000000596046447753906250001", "1.000000059604644775390625",
    // exponents
    "1e5", "1E5", "1e+5", "1e-5", "1e05", "1e", "1E", "1e+", "1e-", "e5", "E5", ".e5", "1.e5", ".5e1", "1e5.5",
    "1e5e5", "1e+-5", "1ee5", "1e 5", "9.99999975e-06", "1e+020", "0e99999999999999999999",
    // underflow: to denormals and to zero, around the halfway points of the smallest denormals
    "1e-38", "1e-40", "1e-45", "1e-46", "7.0064923e-46", "7.0064924e-46", "1.40129846e-45", "1e-50", "1e-308",
    "1e-320", "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-324",
    "1e-400", "1e-99999999999999999999",
    // overflow, around the largest finite values
    "1e38", "3.4028234e38", "3.4028235e38", "3.40282356e38", "3.4028236e38", "1e39", "1e308",
    "1.7976931348623157e308", "1.7976931348623158e308", "1.797693134862316e308", "1.8e308", "1e400",
    "1e99999999999999999999",
    // hex, infinities and NaNs
    "0x10", "0X1A", "0x1p3", "0x", "x1", "inf", "INF", "Inf", "infinity", "INFINITY", "InFiNiTy", "infinit",
    "infinityy", "infx", "in", "nan", "NAN", "nAn", "nan()", "nan(123)", "nan(", "nan)", "nan(1", "nanx",
    "nan(1)x", "na",
    // words, grouping, suffixes of other languages, blanks and bytes beyond ASCII
    "1,5", "1,000", "1.000", "1 000", "1_000", "1'000", "true", "false", "TRUE", "yes", "abc", "1.0f", "1d", "5L",
    "5u", "\t1", "1\n", "1\r", "\xef\xbc\x91", "\xb9", "1\xa0", "+", "-",
};
const char* const kPrefixes[] = {"", "+", "-", " ", "00", "+-", "--"};
const char* const kSuffixes[] = {"", " ", "x", "\t"};

std::vector<std::string> LongDigitStrings() {
  const std::string zeros(400, '0');
  return {
      std::string(400, '9'),     "1" + zeros,         zeros + "1",          zeros,
      "0." + zeros + "1",        "1" + zeros + "e-400", "0." + zeros + "1e400", "1." + zeros + "1",
      std::string(40, '1') + "." + std::string(40, '1'), zeros + "65535",   zeros + "4294967296",
  };
}

std::vector<std::string> TableOfTexts() {
  std::vector<std::string> bodies(std::begin(kBodies), std::end(kBodies));
  for (const std::string& body : LongDigitStrings()) bodies.push_back(body);
  std::vector<std::string> texts;
  for (const std::string& body : bodies) {
    for (const char* prefix : kPrefixes) {
      for (const char* suffix : kSuffixes) texts.push_back(prefix + body + suffix);
    }
  }
  return texts;
}

template <typename Value>
Outcome EngineOutcome(const std::string& text) {
  return OutcomeOf<Value>([&] { return SCore::TextToValue<Value>(text); });
}

// Every text converted to every kind, in one flat list.
std::vector<Outcome> EngineOutcomes(const std::vector<std::string>& texts) {
  std::vector<Outcome> outcomes;
  ForEachReadKind([&](auto kind) {
    for (const std::string& text : texts) outcomes.push_back(EngineOutcome<decltype(kind)>(text));
  });
  return outcomes;
}

// A locale as some national ones are: a comma for the point, dots grouping the thousands.
class CommaDecimalPoint : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class ScopedGlobalLocale {
 public:
  explicit ScopedGlobalLocale(const std::locale& locale) : m_previous(std::locale::global(locale)) {}
  ~ScopedGlobalLocale() { std::locale::global(m_previous); }
  ScopedGlobalLocale(const ScopedGlobalLocale&) = delete;
  ScopedGlobalLocale& operator=(const ScopedGlobalLocale&) = delete;

 private:
  std::locale m_previous;
};

}  // namespace

TEST(ValueText, ReadsEveryTextOfTheTableAsLexicalCastDoes) {
  ASSERT_TRUE(std::locale() == std::locale::classic());
  const std::vector<std::string> texts = TableOfTexts();
  ForEachReadKind([&](auto kind) {
    using Value = decltype(kind);
    for (const std::string& text : texts) {
      EXPECT_EQ(EngineOutcome<Value>(text), LexicalCastOutcome<Value>(text))
          << "text " << Quoted(text) << " read as " << typeid(Value).name();
    }
  });
}

TEST(ValueText, ReadsWhatHandWrittenFilesRelyOn) {
  using SCore::TextToValue;
  EXPECT_EQ(TextToValue<unsigned int>("-1"), 4294967295u);
  EXPECT_EQ(TextToValue<unsigned short>("-5"), 65531);
  for (const char* text : {"01", "+1", "001"}) EXPECT_TRUE(TextToValue<bool>(text)) << text;
  for (const char* text : {"00", "-0", "+0"}) EXPECT_FALSE(TextToValue<bool>(text)) << text;
  EXPECT_EQ(TextToValue<float>("1e-50"), 0.0f);
  EXPECT_EQ(TextToValue<short>("-32768"), -32768);
  EXPECT_THROW(TextToValue<short>("32768"), boost::bad_lexical_cast);
  EXPECT_THROW(TextToValue<bool>("-1"), boost::bad_lexical_cast);
  EXPECT_THROW(TextToValue<int>(" 5"), boost::bad_lexical_cast);
}

TEST(ValueText, IgnoresTheGlobalLocale) {
  const std::vector<std::string> texts = TableOfTexts();
  const std::vector<Outcome> underClassic = EngineOutcomes(texts);
  ScopedGlobalLocale comma(std::locale(std::locale::classic(), new CommaDecimalPoint));
  // The locale is in force: lexical_cast itself now takes the comma as the point and dots as grouping.
  EXPECT_EQ(boost::lexical_cast<double>("1,5"), 1.5);
  EXPECT_EQ(boost::lexical_cast<int>("1.000"), 1000);
  EXPECT_TRUE(EngineOutcomes(texts) == underClassic);
  EXPECT_EQ(SCore::TextToValue<double>("1.5"), 1.5);
  EXPECT_THROW(SCore::TextToValue<double>("1,5"), boost::bad_lexical_cast);
  EXPECT_THROW(SCore::TextToValue<int>("1.000"), boost::bad_lexical_cast);
}

#include "SValueText.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <gtest/gtest.h>

#include <cmath>

using SCore::TextToValue;

TEST(ValueText, ReadsWholeNumbersOnly) {
  EXPECT_EQ(TextToValue<int>("-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToValue<int>("+7"), 7);
  EXPECT_EQ(TextToValue<int>("007"), 7);
  EXPECT_EQ(TextToValue<unsigned int>("4294967295"), 4294967295u);
  EXPECT_EQ(TextToValue<short>("-32768"), -32768);
  EXPECT_EQ(TextToValue<unsigned short>("65535"), 65535);
  EXPECT_EQ(TextToValue<float>("0.100000001"), 0.1f);
  EXPECT_EQ(TextToValue<float>("9.99999975e-06"), 1e-5f);
  EXPECT_EQ(TextToValue<float>("1e+020"), 1e20f);  // three exponent digits, as other platforms write them
  EXPECT_EQ(TextToValue<double>("0.10000000000000001"), 0.1);
  EXPECT_EQ(TextToValue<double>(".5"), 0.5);
  EXPECT_TRUE(std::isinf(TextToValue<float>("inf")));
  EXPECT_TRUE(TextToValue<bool>("1"));
  EXPECT_FALSE(TextToValue<bool>("0"));

  const char* const notInts[] = {"", " 5", "5 ", "5x", "1.5", "2147483648", "+", "-", "+-1", "0x10", "1,000"};
  for (const char* text : notInts) EXPECT_THROW(TextToValue<int>(text), boost::bad_lexical_cast) << text;
  EXPECT_THROW(TextToValue<unsigned int>("-1"), boost::bad_lexical_cast);
  EXPECT_THROW(TextToValue<short>("40000"), boost::bad_lexical_cast);
  const char* const notFloats[] = {"", " 1", "1 ", "1e", "1e+", "1,5", "0.5f", "1e50"};
  for (const char* text : notFloats) EXPECT_THROW(TextToValue<float>(text), boost::bad_lexical_cast) << text;
  for (const char* text : {"true", "false", "2", " 1", "01", ""}) {
    EXPECT_THROW(TextToValue<bool>(text), boost::bad_lexical_cast) << text;
  }
}

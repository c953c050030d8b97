#include "logic/value_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumivar {
namespace {

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

constexpr char16_t kLoneHighUnit[] = {0xD800, 0};
constexpr std::u16string_view kLoneHigh = kLoneHighUnit;

TEST(TextValue, ReadsTheNumberAtTheStart) {
  struct Case {
    std::u16string_view text;
    double value;
  };
  const Case cases[] = {
      {u"7", 7},          {u"", 0},
      {u"a", 0},          {u"*", 0},
      {u"-", 0},          {u".", 0},
      {u"-3", -3},        {u"12", 12},
      {u"+4", 4},         {u"  \t\n5", 5},
      {u"3a", 3},         {u"1 2", 1},
      {u"2.5x", 2.5},     {u".5", 0.5},
      {u"5.", 5},         {u"-.5", -0.5},
      {u"1e3", 1},        {u"0x1A", 0},
      {u"017", 17},       {u"\r5", 0},
      {u"\uFF17", 7},     {u"\uFF11\uFF12", 12},
      {u"1\uFF12", 12},   {u"\uFF0D3", 0},
      {u"3\uFF0E5", 3},   {u"\u4E00", 0},
      {u"\U0001F600", 0}, {kLoneHigh, 0},
      {u"- 3", 0},        {u"--3", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(TextValue(c.text), c.value);
  }
}

TEST(TextValue, NeverGivesNegativeZeroOrFailsOnHugeNumbers) {
  EXPECT_FALSE(std::signbit(TextValue(u"-0")));
  EXPECT_FALSE(std::signbit(TextValue(u"-")));
  EXPECT_EQ(TextValue(std::u16string(400, u'9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(TextValue(u"-" + std::u16string(400, u'9')), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(TextValue(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
}

TEST(NumberText, WritesPlainDecimals) {
  struct Case {
    double value;
    std::u16string_view text;
  };
  const Case cases[] = {
      {0, u"0"},
      {5, u"5"},
      {-3, u"-3"},
      {12, u"12"},
      {27, u"27"},
      {-9, u"-9"},
      {-0.0, u"0"},
      {1e21, u"1000000000000000000000"},
      {0.5, u"0.5"},
      {std::numeric_limits<double>::infinity(), u"Infinity"},
      {-std::numeric_limits<double>::infinity(), u"-Infinity"},
      {std::numeric_limits<double>::quiet_NaN(), u"NaN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(NumberText(c.value), c.text);
  }
  EXPECT_EQ(NumberText(std::numeric_limits<double>::max()).size(), 309u);
  EXPECT_EQ(NumberText(std::numeric_limits<double>::denorm_min()).back(), u'5');
}

// Where the library has from_chars and to_chars, the strtod and printf way
// that builds without them (the page's) gives the same texts, also at every
// power of two, where the values below lie closer than those above. Not on
// Windows: its C runtime's strtod and printf are not exactly rounded (one
// power of two far below 1e-200 reads back from too few digits), and the
// program there writes with to_chars.
TEST(NumberText, ThePrintfWayWritesAsToCharsAtEveryPowerOfTwo) {
#if LUMIVAR_HAS_FLOAT_CHARCONV && !defined(_WIN32)
  using conversion::Path;
  for (int exponent = -1074; exponent <= 1023; ++exponent) {
    for (const double value : {std::ldexp(1.0, exponent), -std::ldexp(1.0, exponent)}) {
      SCOPED_TRACE(exponent);
      const std::string written = conversion::ShortestFixed(value, Path::Charconv);
      ASSERT_EQ(conversion::ShortestFixed(value, Path::Printf), written);
      ASSERT_EQ(conversion::ParseDecimal(written.substr(value < 0 ? 1 : 0), Path::Printf),
                std::fabs(value));
    }
  }
#else
  GTEST_SKIP() << "no floating-point to_chars, or no exactly rounded printf, to compare with";
#endif
}

TEST(NumberText, EveryReachableValueReadsBack) {
  for (int v = -9; v <= 27; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(TextValue(NumberText(v)), v);
  }
}

TEST(LastChar, KeepsOnlyTheLastCharacter) {
  struct Case {
    double value;
    std::u16string_view text;
  };
  const Case cases[] = {{16, u"6"}, {7, u"7"},  {13, u"3"}, {0, u"0"},  {27, u"7"},
                        {10, u"0"}, {18, u"8"}, {-3, u"3"}, {0.5, u"5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(LastChar(c.value), c.text);
  }
}

TEST(CharAt, CountsFromOneByCodeUnit) {
  EXPECT_EQ(CharAt(u"123", 1), u"1");
  EXPECT_EQ(CharAt(u"123", 3), u"3");
  EXPECT_EQ(CharAt(u"123", 0), u"");
  EXPECT_EQ(CharAt(u"123", 4), u"");
  EXPECT_EQ(CharAt(u"", 1), u"");
  EXPECT_EQ(CharAt(u"\U0001F600", 2), std::u16string(1, char16_t{0xDE00}));
}

TEST(CompareChars, RanksByCodeUnit) {
  const std::u16string_view ascending[] = {u"*", u"-", u".", u"0", u"1",      u"9",
                                           u"A", u"Z", u"a", u"z", u"\u4E00", u"\uFF10"};
  for (std::size_t i = 0; i + 1 < std::size(ascending); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(CompareChars(ascending[i], ascending[i + 1]), std::strong_ordering::less);
    EXPECT_EQ(CompareChars(ascending[i + 1], ascending[i]), std::strong_ordering::greater);
    EXPECT_EQ(CompareChars(ascending[i], ascending[i]), std::strong_ordering::equal);
  }
}

}  // namespace
}  // namespace lumivar

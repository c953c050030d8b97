#include "logic/value_conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumivar {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}

// The digit a character stands for, ASCII or full-width; -1 for any other.
int DigitOf(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'\uFF10' && c <= u'\uFF19') return c - u'\uFF10';
  return -1;
}

// Appends the run of digits that starts at `pos` to `out` as ASCII.
std::size_t TakeDigits(std::u16string_view text, std::size_t pos, std::string& out) {
  while (pos < text.size() && DigitOf(text[pos]) >= 0) {
    out.push_back(static_cast<char>('0' + DigitOf(text[pos])));
    ++pos;
  }
  return pos;
}

Text Widen(std::string_view ascii) {
  return Text(ascii.begin(), ascii.end());
}

}  // namespace

namespace conversion {
namespace {

// Too many digits for a double: a whole part that is not zero overflows to
// infinity, a fraction with a zero whole part underflows to zero.
double OutOfRange(const std::string& number) {
  const std::string whole = number.substr(0, number.find('.'));
  return whole.find_first_not_of('0') != std::string::npos ? HUGE_VAL : 0.0;
}

// 1100 characters hold the longest fixed form of a double: 309 digits of
// the largest, or 1074 decimals of the smallest.
constexpr std::size_t kFixedBufferSize = 1100;

#if LUMIVAR_HAS_FLOAT_CHARCONV
double ParseWithCharconv(const std::string& number) {
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  return result.ec == std::errc::result_out_of_range ? OutOfRange(number) : value;
}

std::string FixedWithCharconv(double value) {
  std::array<char, kFixedBufferSize> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}
#endif

// strtod reads the plain digits, optional point and digits that TextValue
// hands over correctly rounded, as from_chars does; only the range check
// differs, and OutOfRange settles it alike.
double ParseWithStrtod(const std::string& number) {
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isinf(value) || value == 0.0 ? OutOfRange(number) : value;
}

// The decimal text one unit in its last place farther from zero: "0.19"
// gives "0.20", "-9" gives "-10".
std::string AwayFromZero(std::string text) {
  std::size_t i = text.size();
  while (i > 0) {
    char& digit = text[--i];
    if (digit == '.') continue;
    if (digit == '-') break;
    if (digit != '9') {
      ++digit;
      return text;
    }
    digit = '0';
  }
  text.insert(text[0] == '-' ? 1 : 0, 1, '1');
  return text;
}

bool ReadsBackAs(const std::string& text, double value) {
  return std::strtod(text.c_str(), nullptr) == value;
}

// The fewest decimals that read back as the same double, as to_chars writes
// them: an integer gets none. printf rounds to the nearest text of that many
// decimals; just above a power of two the values below lie closer together
// than those above, so when the nearest text lies below and misses, the one
// a unit farther from zero may still read back, and is the one to take.
std::string FixedWithPrintf(double value) {
  std::array<char, kFixedBufferSize> buffer{};
  for (int decimals = 0;; ++decimals) {
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    std::string text(buffer.data(), static_cast<std::size_t>(length));
    if (ReadsBackAs(text, value) || static_cast<std::size_t>(length) + 1 >= buffer.size()) {
      return text;
    }
    std::string farther = AwayFromZero(text);
    if (ReadsBackAs(farther, value)) return farther;
  }
}

}  // namespace

double ParseDecimal(const std::string& number, Path path) {
#if LUMIVAR_HAS_FLOAT_CHARCONV
  if (path == Path::Charconv) return ParseWithCharconv(number);
#endif
  (void)path;
  return ParseWithStrtod(number);
}

std::string ShortestFixed(double value, Path path) {
#if LUMIVAR_HAS_FLOAT_CHARCONV
  if (path == Path::Charconv) return FixedWithCharconv(value);
#endif
  (void)path;
  return FixedWithPrintf(value);
}

}  // namespace conversion

double TextValue(std::u16string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;

  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }

  std::string number;
  pos = TakeDigits(text, pos, number);
  const bool has_whole_part = !number.empty();
  if (pos + 1 < text.size() && text[pos] == u'.' && DigitOf(text[pos + 1]) >= 0) {
    number.push_back('.');
    TakeDigits(text, pos + 1, number);
  }
  if (number.empty()) return 0.0;
  if (!has_whole_part) number.insert(number.begin(), '0');

  const double value = conversion::ParseDecimal(number, conversion::kDefaultPath);
  if (value == 0.0) return 0.0;  // never a negative zero
  return negative ? -value : value;
}

Text NumberText(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
  if (value == 0.0) return u"0";
  return Widen(conversion::ShortestFixed(value, conversion::kDefaultPath));
}

Text LastChar(double value) {
  const Text text = NumberText(value);
  return text.substr(text.size() - 1);
}

Text CharAt(std::u16string_view text, std::size_t position) {
  if (position < 1 || position > text.size()) return Text();
  return Text(1, text[position - 1]);
}

std::strong_ordering CompareChars(std::u16string_view a, std::u16string_view b) {
  const int order = a.compare(b);
  if (order < 0) return std::strong_ordering::less;
  if (order > 0) return std::strong_ordering::greater;
  return std::strong_ordering::equal;
}

}  // namespace lumivar

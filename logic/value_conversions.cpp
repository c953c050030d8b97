#include "logic/value_conversions.h"

#include <array>
#include <charconv>
#include <cmath>
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

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too many digits for a double: a whole part that is not zero overflows
    // to infinity, a fraction with a zero whole part underflows to zero.
    const std::string whole = number.substr(0, number.find('.'));
    value = whole.find_first_not_of('0') != std::string::npos ? HUGE_VAL : 0.0;
  }
  if (value == 0.0) return 0.0;  // never a negative zero
  return negative ? -value : value;
}

Text NumberText(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
  if (value == 0.0) return u"0";
  // The shortest fixed form that reads back as the same double; an integer
  // comes out as its digits alone. 1100 characters hold the longest one.
  std::array<char, 1100> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return Widen(
      std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
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

#pragma once

// An independent model of the forecast, for the unit tests and the fuzzer to
// hold logic/forecast.cpp against. It shares no code with logic/ and does not
// retrace its steps: it reads the three inputs as integers, does the
// arithmetic on them with 64-bit integers, and builds the banker line from
// its digit rule instead of the table. It takes any three texts, not only
// digits; the result fields' earlier contents play no part.
//
// Integers are exact where the program's doubles are, so the model decides
// every result whose inputs read as integers of at most 15 significant
// digits; the inputs a user can type (one character each) always do. An
// input that reads as a number with a nonzero fraction or with more digits
// (say a pasted run of 400 nines, which a double holds only approximately
// or as infinity) leaves the two results that read the inputs' values
// undecided: the sum tail (Text4) and the units digit to kill (Text13(1)).
// The caller then checks those for their shape alone and hands the model
// the sum tail the program wrote, from which it decides everything else.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lumivar::model {

using Text = std::u16string;

// The digit that an ASCII or full-width digit stands for.
inline std::optional<int> DigitValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'\uFF10' && unit <= u'\uFF19') return unit - u'\uFF10';
  return std::nullopt;
}

// The value of a one-character text: its digit, and 0 for any other
// character (a sign or a point alone is no number).
inline int CharValue(char16_t unit) {
  return DigitValue(unit).value_or(0);
}

// Up to this many significant digits an integer is exact as a double.
inline constexpr int kExactDigits = 15;

// The value of the number at the start of `text`: after blanks (space, tab,
// line feed), an optional ASCII sign, digits, and an optional ASCII '.'
// followed by digits; 0 when there is no number. nullopt when that value is
// no integer of at most kExactDigits significant digits.
inline std::optional<std::int64_t> ExactValue(std::u16string_view text) {
  std::size_t pos = std::min(text.find_first_not_of(u" \t\n"), text.size());
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  std::int64_t magnitude = 0;
  int significant = 0;
  for (; pos < text.size() && DigitValue(text[pos]); ++pos) {
    const int digit = *DigitValue(text[pos]);
    if ((magnitude != 0 || digit != 0) && ++significant > kExactDigits) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (pos + 1 < text.size() && text[pos] == u'.' && DigitValue(text[pos + 1])) {
    for (++pos; pos < text.size() && DigitValue(text[pos]); ++pos) {
      if (*DigitValue(text[pos]) != 0) return std::nullopt;
    }
  }
  return negative ? -magnitude : magnitude;
}

// "-3", "0", "27": the integer's decimal digits after a "-" when negative.
inline Text IntegerText(std::int64_t value) {
  Text digits;
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  return value < 0 ? u"-" + digits : digits;
}

// The units digit of an integer's decimal form, sign dropped.
inline Text UnitsDigit(std::int64_t value) {
  const std::int64_t units = value % 10;
  return Text(1, static_cast<char16_t>(u'0' + (units < 0 ? -units : units)));
}

// "精准6胆：" and the six digits d with (d - k) mod 5 in {4, 0, 1} for a
// selector k from 0 to 9; empty for any other selector, so that no line of
// an earlier draw stays.
inline Text BankerLine(std::int64_t selector) {
  if (selector < 0 || selector > 9) return Text();
  Text line = u"精准6胆：";
  for (std::int64_t digit = 0; digit <= 9; ++digit) {
    const std::int64_t residue = ((digit - selector) % 5 + 5) % 5;
    if (residue == 4 || residue == 0 || residue == 1) line += static_cast<char16_t>(u'0' + digit);
  }
  return line;
}

struct Inputs {
  Text first, second, third;  // Text1, Text2, Text3
};

// What the forecast writes into the result fields (ByField says which).
struct Results {
  std::optional<Text> sum_tail;  // nullopt when undecided
  Text joined;
  Text largest;
  Text smallest;
  Text span;
  Text selector;
  Text banker_line;
  Text sum_tail_to_kill;
  Text span_to_kill;
  std::optional<Text> units_to_kill;  // nullopt when undecided
};

// The results by the control name of the field each is written to. The
// model keeps this mapping of its own; one test holds it against the
// program's list of result fields.
inline std::map<std::string_view, std::optional<Text>> ByField(const Results& r) {
  return {{"Text4", r.sum_tail},         {"Text5", r.largest},
          {"Text6", r.smallest},         {"Text7", r.span},
          {"Text8", r.selector},         {"Text9", r.sum_tail_to_kill},
          {"Text10", r.joined},          {"Text11", r.banker_line},
          {"Text13(0)", r.span_to_kill}, {"Text13(1)", r.units_to_kill}};
}

// `undecided_tail` is the sum tail to go on with when the model cannot
// decide it itself (the caller passes what the program wrote); it is not
// used otherwise.
inline Results Forecast(const Inputs& in, char16_t undecided_tail = u'0') {
  Results out;
  const auto a = ExactValue(in.first);
  const auto b = ExactValue(in.second);
  const auto c = ExactValue(in.third);
  if (a && b && c) out.sum_tail = UnitsDigit(*a + *b + *c);
  if (c) out.units_to_kill = UnitsDigit(*c + 4);
  const int tail = CharValue(out.sum_tail ? (*out.sum_tail)[0] : undecided_tail);

  // Largest and smallest compare code units, and never go below "0" or
  // above "9"; with no character at all both stay empty.
  out.joined = in.first + in.second + in.third;
  int largest = 0;
  int smallest = 0;
  if (!out.joined.empty()) {
    const auto [low, high] = std::minmax_element(out.joined.begin(), out.joined.end());
    const char16_t high_unit = std::max(*high, u'0');
    const char16_t low_unit = std::min(*low, u'9');
    out.largest = Text(1, high_unit);
    out.smallest = Text(1, low_unit);
    largest = CharValue(high_unit);
    smallest = CharValue(low_unit);
  }
  const int span = largest - smallest;
  out.span = IntegerText(span);
  out.selector = IntegerText(span + tail);
  out.banker_line = BankerLine(span + tail);
  out.sum_tail_to_kill = IntegerText(9 - tail);
  out.span_to_kill = IntegerText(9 - span);
  return out;
}

}  // namespace lumivar::model

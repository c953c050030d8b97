#pragma once

// An independent model of the forecast's ten steps, for the fuzzer to hold
// the core against. It shares no code with logic/: it reads and writes the
// numbers in the texts itself, with 64-bit integers instead of doubles, and
// builds the banker line from its digit rule instead of the table.
//
// Integers are exact where the core's doubles are, so the model decides
// every result whose inputs read as integers of at most 15 significant
// digits; the inputs a user can type (one character each) always do. An
// input that reads as a number with a nonzero fraction or with more digits
// (say a pasted run of 400 nines, which a double holds only approximately
// or as infinity) is left undecided: the two steps that read the inputs'
// values, the sum tail (Text4) and the units digit to kill (Text13(1)),
// then give nullopt, and the caller checks what the core wrote there for
// its shape alone. Every other step reads only one-character texts and
// texts of the model's own making, so the model always decides it, taking
// the sum tail as given.

#include <algorithm>
#include <cstddef>
#include <cstdint>
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

inline Text LastUnit(std::int64_t value) {
  const Text text = IntegerText(value);
  return text.substr(text.size() - 1);
}

// "精准6胆：" and the six digits d with (d - k) mod 5 in {4, 0, 1} for a
// selector that is one ASCII digit k; empty for any other selector.
inline Text BankerLine(std::u16string_view selector) {
  if (selector.size() != 1 || !(selector[0] >= u'0' && selector[0] <= u'9')) return Text();
  const int key = selector[0] - u'0';
  Text line = u"精准6胆：";
  for (int digit = 0; digit <= 9; ++digit) {
    const int residue = ((digit - key) % 5 + 5) % 5;
    if (residue == 4 || residue == 0 || residue == 1) line += static_cast<char16_t>(u'0' + digit);
  }
  return line;
}

struct Inputs {
  Text first, second, third;  // Text1, Text2, Text3
};

// Step 1: the last character of the sum of the three values.
inline std::optional<Text> SumTail(const Inputs& in) {
  const auto a = ExactValue(in.first);
  const auto b = ExactValue(in.second);
  const auto c = ExactValue(in.third);
  if (!a || !b || !c) return std::nullopt;
  return LastUnit(*a + *b + *c);
}

// Step 10: the last character of the value of Text3 plus 4.
inline std::optional<Text> UnitsToKill(const Inputs& in) {
  const auto c = ExactValue(in.third);
  if (!c) return std::nullopt;
  return LastUnit(*c + 4);
}

// What steps 2 to 9 write, given the sum tail that step 1 wrote.
struct MiddleSteps {
  Text joined;            // Text10
  Text largest;           // Text5
  Text smallest;          // Text6
  Text span;              // Text7
  Text selector;          // Text8
  Text banker_line;       // Text11
  Text sum_tail_to_kill;  // Text9
  Text span_to_kill;      // Text13(0)
};

// `sum_tail` must be one character, as every sum tail is.
inline MiddleSteps StepsAfterSumTail(const Inputs& in, std::u16string_view sum_tail) {
  MiddleSteps out;
  out.joined = in.first + in.second + in.third;
  if (!out.joined.empty()) {
    // The scans start from "0" and "9" and compare code units.
    const auto [low, high] = std::minmax_element(out.joined.begin(), out.joined.end());
    out.largest = Text(1, std::max(*high, u'0'));
    out.smallest = Text(1, std::min(*low, u'9'));
  }
  const std::int64_t tail = ExactValue(sum_tail).value();
  const std::int64_t span = ExactValue(out.largest).value() - ExactValue(out.smallest).value();
  out.span = IntegerText(span);
  out.selector = IntegerText(span + tail);
  out.banker_line = BankerLine(out.selector);
  out.sum_tail_to_kill = IntegerText(9 - tail);
  out.span_to_kill = IntegerText(9 - span);
  return out;
}

}  // namespace lumivar::model

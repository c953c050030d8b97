#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <version>

#include "logic/forecast_fields.h"

namespace lumivar {

// The value of the decimal number at the start of the text, after leading
// blanks (space, tab, line feed): an optional ASCII sign, digits, and an
// optional ASCII '.' with more digits. Full-width digits count as digits.
// No exponent, no radix prefix; a blank ends the number. 0 when the text
// does not start with a number.
double TextValue(std::u16string_view text);

// The plain decimal form of a number: "-3", "0", "27"; never an exponent.
Text NumberText(double value);

// The last character of NumberText(value).
Text LastChar(double value);

// The one character at a 1-based position; empty when out of range.
Text CharAt(std::u16string_view text, std::size_t position);

// Compares texts by UTF-16 code unit, with no locale or numeric meaning.
std::strong_ordering CompareChars(std::u16string_view a, std::u16string_view b);

// The two halves of a surrogate pair, the two units of a character beyond
// U+FFFF. Either may also come alone, which makes no character.
constexpr bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr bool IsSurrogate(char16_t unit) {
  return IsHighSurrogate(unit) || IsLowSurrogate(unit);
}

// The two ways between ASCII decimals and doubles that TextValue and
// NumberText use. A standard library with floating-point from_chars and
// to_chars takes those; one without (emscripten's libc++) takes strtod and a
// printf loop, which give the same results. Both are always compiled where
// they can be, so that the fuzzer compares them.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define LUMIVAR_HAS_FLOAT_CHARCONV 1
#else
#define LUMIVAR_HAS_FLOAT_CHARCONV 0
#endif
namespace conversion {
enum class Path { Charconv, Printf };
inline constexpr Path kDefaultPath = LUMIVAR_HAS_FLOAT_CHARCONV ? Path::Charconv : Path::Printf;

// The value of "digits[.digits]", correctly rounded; HUGE_VAL or 0 beyond a
// double's range.
double ParseDecimal(const std::string& number, Path path);
// The shortest fixed form of a finite, non-zero value that reads back as the
// same double: "-3", "27", "0.1".
std::string ShortestFixed(double value, Path path);
}  // namespace conversion

}  // namespace lumivar

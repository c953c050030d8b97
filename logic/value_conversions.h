#pragma once

#include <compare>
#include <cstddef>
#include <string_view>

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

}  // namespace lumivar

#pragma once

#include <string>
#include <string_view>

#include "logic/forecast_fields.h"

namespace lumivar::web {

// A text as a JSON string: in quotes, with quotes, backslashes and control
// characters escaped and every other unit as it is.
Text JsonString(std::u16string_view text);

// A text in UTF-8, as a file or a program's output carries it.
std::string Utf8(std::u16string_view text);

}  // namespace lumivar::web

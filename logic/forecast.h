#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "logic/forecast_fields.h"

namespace lumivar {

struct BankerEntry {
  std::u16string_view key;
  std::u16string_view line;
};

// Selector text → banker line, in the order the selector is tested. Keys that
// differ by 5 share a line: the digits d with (d − k) mod 5 in {4, 0, 1}.
inline constexpr std::array<BankerEntry, 10> BankerTable = {{
    {u"0", u"精准6胆：014569"},
    {u"5", u"精准6胆：014569"},
    {u"1", u"精准6胆：012567"},
    {u"6", u"精准6胆：012567"},
    {u"2", u"精准6胆：123678"},
    {u"7", u"精准6胆：123678"},
    {u"3", u"精准6胆：234789"},
    {u"8", u"精准6胆：234789"},
    {u"4", u"精准6胆：034589"},
    {u"9", u"精准6胆：034589"},
}};

// Derives every result field from the draw in Text1, Text2 and Text3, step
// by step, each step reading back as text what an earlier step wrote.
void StartForecast(FieldSet& fields);

// Empties every field except the banner Text12.
void ClearData(FieldSet& fields);

// The boxes whose every change of text, typed or written by the program,
// each window hands to AdvanceFocus: Text1 and Text2. The changes that
// ClearData's empty writes raise there leave the focus where it is.
inline constexpr std::array kFocusAdvancingFields = {FieldId::Text1, FieldId::Text2};

constexpr bool AdvancesFocus(FieldId field) {
  // Not std::ranges::find: the page's C++ library (emscripten's) lacks it.
  return std::find(kFocusAdvancingFields.begin(), kFocusAdvancingFields.end(), field) !=
         kFocusAdvancingFields.end();
}

// Where the focus goes after the text of one of kFocusAdvancingFields
// changed: the next input box when it holds exactly one character,
// otherwise nowhere.
using FocusRequest = std::optional<FieldId>;
FocusRequest AdvanceFocus(FieldId field, std::u16string_view text);

}  // namespace lumivar

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumivar::ui {

// A run of UTF-16 units in a box's text.
struct TextRange {
  std::size_t start;
  std::size_t length;
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

// One user edit: `inserted` takes the place of `replaced` (a selection, or an
// empty range at the cursor).
struct UserEdit {
  TextRange replaced;
  std::u16string inserted;
  friend bool operator==(const UserEdit&, const UserEdit&) = default;
};

// A box's text after an edit the limit let through, and where the cursor goes.
struct LimitedText {
  std::u16string text;
  std::size_t cursor;
  friend bool operator==(const LimitedText&, const LimitedText&) = default;
};

// Applies a typed, pasted or committed edit to a box that takes at most
// `limit` UTF-16 units, as a native edit box's text limit does:
// - the overflow of the insertion is dropped; the text already there is
//   never cut, even when the program wrote more than the limit;
// - a lone surrogate in the insertion is never kept, nor half of a pair;
// - an edit that would leave the text as it was is refused whole: the
//   result is empty and the box must not change at all.
// The program's own writes do not come through here: they are stored whole.
std::optional<LimitedText> ApplyEntryLimit(std::u16string_view text, const UserEdit& edit,
                                           std::size_t limit);

// Recovers the edit that turned `before` into `after`, where the inserted
// text ends at `cursor` in `after` (what a toolkit that validates the whole
// new text knows).
UserEdit RecoverEdit(std::u16string_view before, std::u16string_view after, std::size_t cursor);

}  // namespace lumivar::ui

#include "ui/entry_limit_rule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using lumivar::ui::ApplyEntryLimit;
using lumivar::ui::LimitedText;
using lumivar::ui::RecoverEdit;
using lumivar::ui::UserEdit;

constexpr std::size_t kAll = std::u16string::npos;  // the whole text is selected

struct LimitCase {
  const char* what;
  const char16_t* text;  // what the box holds, possibly written past the limit
  std::size_t start;     // the cursor, or the start of the selection
  std::size_t length;    // the selection's length; kAll for everything
  const char16_t* inserted;
  std::size_t limit;
  std::optional<std::u16string> stored;  // none: refused, the box unchanged
};

// clang-format off
const LimitCase kLimitCases[] = {
  {"first digit",                     u"",   0, 0,    u"4",            1, u"4"},
  {"second digit refused",            u"4",  1, 0,    u"5",            1, std::nullopt},
  {"typing before the character",     u"7",  0, 0,    u"4",            1, std::nullopt},
  {"paste keeps what fits",           u"",   0, 0,    u"45",           1, u"4"},
  {"selection typed over",            u"7",  0, kAll, u"8",            1, u"8"},
  {"program write kept at the end",   u"12", 2, 0,    u"3",            1, std::nullopt},
  {"program write kept in the middle",u"12", 1, 0,    u"3",            1, std::nullopt},
  {"program write pasted over",       u"12", 0, kAll, u"45",           1, u"4"},
  {"part of a program write typed over", u"12", 1, 1,  u"3",            1, u"1"},
  {"deleting is never limited",       u"-3", 1, 1,    u"",             1, u"-"},
  {"emoji refused whole",             u"",   0, 0,    u"😀",           1, std::nullopt},
  {"emoji fits a limit of two",       u"",   0, 0,    u"😀",           2, u"😀"},
  {"emoji before a digit",            u"",   0, 0,    u"😀5",          1, std::nullopt},
  {"digit before an emoji",           u"",   0, 0,    u"5😀",          1, u"5"},
  {"emoji over a written emoji",      u"😀", 0, kAll, u"😁",           1, u""},
  {"full-width digit",                u"",   0, 0,    u"５",           1, u"５"},
  {"lone low surrogate refused",      u"",   0, 0,    u"\xDC00",       1, std::nullopt},
  {"lone high surrogate over a selection", u"7", 0, kAll, u"\xD83D",   1, u""},
  {"digit kept, lone surrogate not",  u"",   0, 0,    u"\xD800" u"5",  1, u"5"},
  {"reversed pair is two lone units", u"",   0, 0,    u"\xDE00\xD83D", 2, std::nullopt},
  {"same text back is no change",     u"7",  0, kAll, u"7",            1, std::nullopt},
};
// clang-format on

TEST(ApplyEntryLimit, KeepsWhatFitsAndNeverHalfACharacter) {
  for (const LimitCase& c : kLimitCases) {
    SCOPED_TRACE(c.what);
    const std::u16string text = c.text;
    const std::size_t length = c.length == kAll ? text.size() : c.length;
    const auto result = ApplyEntryLimit(text, UserEdit{{c.start, length}, c.inserted}, c.limit);
    ASSERT_EQ(result.has_value(), c.stored.has_value());
    if (!result) continue;
    EXPECT_EQ(result->text, *c.stored);
    // The cursor stands after what was kept of the insertion.
    const std::size_t kept = c.stored->size() - (text.size() - length);
    EXPECT_EQ(result->cursor, c.start + kept);
  }
}

TEST(ApplyEntryLimit, ToleratesRangesPastTheEnd) {
  EXPECT_EQ(ApplyEntryLimit(u"ab", UserEdit{{5, 9}, u"c"}, 3), (LimitedText{u"abc", 3}));
}

// A toolkit that validates the whole new text gives the text before and
// after the edit and the cursor; the edit found must be the one made.
TEST(RecoverEdit, FindsTheReplacedRangeAndTheInsertion) {
  const struct {
    const char* what;
    const char16_t* before;
    const char16_t* after;
    std::size_t cursor;
    UserEdit edit;
  } cases[] = {
      {"typed at the end", u"1", u"12", 2, {{1, 0}, u"2"}},
      {"typed at the start", u"1", u"21", 1, {{0, 0}, u"2"}},
      {"typed over a selection", u"12", u"3", 1, {{0, 2}, u"3"}},
      {"pasted in the middle", u"14", u"1234", 3, {{1, 0}, u"23"}},
      {"same character typed again", u"1", u"11", 2, {{1, 0}, u"1"}},
      {"deleted", u"123", u"13", 1, {{1, 1}, u""}},
      {"emoji after an emoji that shares its high half", u"😀", u"😀😁", 4, {{2, 0}, u"😁"}},
      {"emoji over an emoji that shares its high half", u"😀", u"😁", 2, {{0, 2}, u"😁"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RecoverEdit(c.before, c.after, c.cursor), c.edit);
  }
}

}  // namespace

#include "ui/entry_limit_rule.h"

#include <algorithm>

#include "logic/value_conversions.h"

namespace lumivar::ui {
namespace {

// The text without the halves of surrogate pairs that stand alone in it:
// such a unit is no character, and a pasted one would otherwise fit into a
// box that takes one unit.
std::u16string WithoutLoneSurrogates(std::u16string_view text) {
  std::u16string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      kept.push_back(unit);
      kept.push_back(text[++i]);
    } else if (!IsSurrogate(unit)) {
      kept.push_back(unit);
    }
  }
  return kept;
}

}  // namespace

std::optional<LimitedText> ApplyEntryLimit(std::u16string_view text, const UserEdit& edit,
                                           std::size_t limit) {
  const std::size_t start = std::min(edit.replaced.start, text.size());
  const std::size_t replaced = std::min(edit.replaced.length, text.size() - start);
  std::u16string inserted = WithoutLoneSurrogates(edit.inserted);

  const std::size_t kept = text.size() - replaced;
  std::size_t fits = std::min(limit - std::min(limit, kept), inserted.size());
  if (fits > 0 && IsHighSurrogate(inserted[fits - 1])) --fits;
  inserted.resize(fits);

  std::u16string result(text.substr(0, start));
  result += inserted;
  result += text.substr(start + replaced);
  if (result == text) return std::nullopt;
  return LimitedText{std::move(result), start + fits};
}

UserEdit RecoverEdit(std::u16string_view before, std::u16string_view after, std::size_t cursor) {
  cursor = std::min(cursor, after.size());
  const std::size_t kept_suffix = std::min(after.size() - cursor, before.size());
  const std::size_t limit = std::min(cursor, before.size() - kept_suffix);
  std::size_t start = 0;
  while (start < limit && before[start] == after[start]) ++start;
  // A common high surrogate does not make a common character.
  if (start > 0 && IsHighSurrogate(after[start - 1])) --start;
  return {{start, before.size() - kept_suffix - start},
          std::u16string(after.substr(start, cursor - start))};
}

}  // namespace lumivar::ui

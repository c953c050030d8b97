#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumivar {

// The fourteen named fields of the window. Text13_0 and Text13_1 are the two
// elements of the control array Text13.
enum class FieldId {
  Text1,
  Text2,
  Text3,
  Text4,
  Text5,
  Text6,
  Text7,
  Text8,
  Text9,
  Text10,
  Text11,
  Text12,
  Text13_0,
  Text13_1,
};

// What a field is to the forecast: one of the three digits of the draw it
// reads, one of the results it writes, or the banner, which no operation
// writes. From 1, so that a row left without a role has none.
enum class FieldRole { Draw = 1, Result, Banner };

struct FieldRow {
  FieldId id;
  std::string_view name;  // the control name as the window knows it
  FieldRole role;
};

// Every field in FieldId order. The count, the sets of fields below and the
// names all follow from it.
inline constexpr auto kFieldTable = std::to_array<FieldRow>({
    {FieldId::Text1, "Text1", FieldRole::Draw},
    {FieldId::Text2, "Text2", FieldRole::Draw},
    {FieldId::Text3, "Text3", FieldRole::Draw},
    {FieldId::Text4, "Text4", FieldRole::Result},
    {FieldId::Text5, "Text5", FieldRole::Result},
    {FieldId::Text6, "Text6", FieldRole::Result},
    {FieldId::Text7, "Text7", FieldRole::Result},
    {FieldId::Text8, "Text8", FieldRole::Result},
    {FieldId::Text9, "Text9", FieldRole::Result},
    {FieldId::Text10, "Text10", FieldRole::Result},
    {FieldId::Text11, "Text11", FieldRole::Result},
    {FieldId::Text12, "Text12", FieldRole::Banner},
    {FieldId::Text13_0, "Text13(0)", FieldRole::Result},
    {FieldId::Text13_1, "Text13(1)", FieldRole::Result},
});

inline constexpr std::size_t kFieldCount = kFieldTable.size();

constexpr std::size_t FieldIndex(FieldId id) {
  return static_cast<std::size_t>(id);
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (FieldIndex(kFieldTable.at(i).id) != i) return false;
      }
      return true;
    }(),
    "kFieldTable holds each FieldId once, in the enumeration's order");

// The fields of the given roles, in field order.
template <FieldRole... Roles>
constexpr auto FieldsOf() {
  constexpr auto wanted = [](const FieldRow& row) { return ((row.role == Roles) || ...); };
  std::array<FieldId, std::count_if(kFieldTable.begin(), kFieldTable.end(), wanted)> ids{};
  auto next = ids.begin();
  for (const FieldRow& row : kFieldTable) {
    if (wanted(row)) *next++ = row.id;
  }
  return ids;
}

inline constexpr auto kAllFields =
    FieldsOf<FieldRole::Draw, FieldRole::Result, FieldRole::Banner>();
static_assert(kAllFields.size() == kFieldCount, "every row of kFieldTable names a role");

// The three digits of the draw, which the forecast reads.
inline constexpr auto kDrawFields = FieldsOf<FieldRole::Draw>();

// The fields the forecast writes.
inline constexpr auto kResultFields = FieldsOf<FieldRole::Result>();

// Every field but the banner Text12: what a user may edit and what
// ClearData empties.
inline constexpr auto kEditableFields = FieldsOf<FieldRole::Draw, FieldRole::Result>();

// The control name of a field as the window knows it: "Text1" … "Text13(1)".
constexpr std::string_view FieldName(FieldId id) {
  return kFieldTable.at(FieldIndex(id)).name;
}

// Text as the fields hold it; one char16_t is one character.
using Text = std::u16string;

// The banner's one-line credit, shown from start and never written.
inline constexpr std::u16string_view kBannerText = u"仅供娱乐参考 · 开奖号码随机 · 请理性购彩";

// The record the forecast and clear operations work on: the window's edit
// boxes in the program, a plain ForecastFields in windowless use.
class FieldSet {
 public:
  virtual ~FieldSet() = default;
  virtual Text Get(FieldId id) const = 0;
  // Replaces the text whole; no entry limit applies to a write.
  virtual void Set(FieldId id, Text text) = 0;
  std::size_t Length(FieldId id) const { return Get(id).size(); }

 protected:
  FieldSet() = default;
  FieldSet(const FieldSet&) = default;
  FieldSet& operator=(const FieldSet&) = default;
};

class ForecastFields final : public FieldSet {
 public:
  ForecastFields();
  Text Get(FieldId id) const override;
  void Set(FieldId id, Text text) override;

  friend bool operator==(const ForecastFields& a, const ForecastFields& b) {
    return a.texts_ == b.texts_;
  }

 private:
  std::array<Text, kFieldCount> texts_;
};

}  // namespace lumivar

#pragma once

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

inline constexpr std::size_t kFieldCount = 14;

inline constexpr std::array<FieldId, kFieldCount> kAllFields = {
    FieldId::Text1,  FieldId::Text2,  FieldId::Text3,    FieldId::Text4,    FieldId::Text5,
    FieldId::Text6,  FieldId::Text7,  FieldId::Text8,    FieldId::Text9,    FieldId::Text10,
    FieldId::Text11, FieldId::Text12, FieldId::Text13_0, FieldId::Text13_1,
};

// The three digits of the draw, which the forecast reads.
inline constexpr std::array kDrawFields = {FieldId::Text1, FieldId::Text2, FieldId::Text3};

// The ten fields the forecast writes.
inline constexpr std::array kResultFields = {
    FieldId::Text4, FieldId::Text5,  FieldId::Text6,  FieldId::Text7,    FieldId::Text8,
    FieldId::Text9, FieldId::Text10, FieldId::Text11, FieldId::Text13_0, FieldId::Text13_1,
};

// Every field but the banner Text12, which only the program writes: what a
// user may edit and what ClearData empties, in field order.
inline constexpr std::array kEditableFields = {
    FieldId::Text1,  FieldId::Text2,    FieldId::Text3,    FieldId::Text4, FieldId::Text5,
    FieldId::Text6,  FieldId::Text7,    FieldId::Text8,    FieldId::Text9, FieldId::Text10,
    FieldId::Text11, FieldId::Text13_0, FieldId::Text13_1,
};

constexpr std::size_t FieldIndex(FieldId id) {
  return static_cast<std::size_t>(id);
}

// The control name of a field as the window knows it: "Text1" … "Text13(1)".
std::string_view FieldName(FieldId id);

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

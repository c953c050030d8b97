#include "ui/qt/field_boxes.h"

#include "ui/qt/entry_limit.h"

namespace lumivar::ui {

FieldBoxes::FieldBoxes(const std::array<QLineEdit*, kFieldCount>& boxes) : boxes_(boxes) {}

Text FieldBoxes::Get(FieldId id) const {
  return Box(id)->text().toStdU16String();
}

void FieldBoxes::Set(FieldId id, Text text) {
  WriteWhole(Box(id), QString::fromStdU16String(text));
}

}  // namespace lumivar::ui

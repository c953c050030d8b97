#include "win32/field_boxes.h"

#include <string>

#include "win32/text.h"

namespace lumivar::win32 {

Text FieldBoxes::Get(FieldId id) const {
  return WindowText(Box(id));
}

void FieldBoxes::Set(FieldId id, Text text) {
  const std::wstring units = Wide(text);
  SetWindowTextW(Box(id), units.c_str());
}

}  // namespace lumivar::win32

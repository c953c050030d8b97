#include "win32/edit_fields.h"

#include <string>

#include "win32/text.h"

namespace lumivar::win32 {

Text EditFields::Get(FieldId id) const {
  return WindowText(Box(id));
}

void EditFields::Set(FieldId id, Text text) {
  const std::wstring units = Wide(text);
  SetWindowTextW(Box(id), units.c_str());
}

}  // namespace lumivar::win32

#pragma once

#include <windows.h>

#include <array>

#include "logic/forecast_fields.h"

namespace lumivar::win32 {

// The window's EDIT controls as the field set the forecast and clear
// operations run on: reading a field reads the control's text, writing it
// sets the text whole (WM_SETTEXT, which no entry limit touches).
class FieldBoxes final : public FieldSet {
 public:
  using Boxes = std::array<HWND, kFieldCount>;

  FieldBoxes() = default;
  void Attach(FieldId id, HWND box) { boxes_.at(FieldIndex(id)) = box; }
  HWND Box(FieldId id) const { return boxes_.at(FieldIndex(id)); }

  Text Get(FieldId id) const override;
  void Set(FieldId id, Text text) override;

 private:
  Boxes boxes_{};
};

}  // namespace lumivar::win32

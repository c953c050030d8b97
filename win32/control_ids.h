#pragma once

#include "ui/layout_table.h"

namespace lumivar::win32 {

// The window's class name, for FindWindow.
inline constexpr const wchar_t* kFormClassName = L"LumivarForm1";

// A control's id is its row's place in the layout table plus this: above
// IDOK (1) and IDCANCEL (2), which the dialog manager sends for Return and
// Escape and which no control may carry.
inline constexpr int kFirstControlId = 100;

inline int ControlId(const ui::ControlRow& row) {
  return kFirstControlId + static_cast<int>(&row - ui::ControlTable().data());
}

}  // namespace lumivar::win32

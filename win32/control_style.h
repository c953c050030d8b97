#pragma once

#include <windows.h>

#include "ui/layout_table.h"

namespace lumivar::win32 {

// How a row of the layout table is made as a standard control: its window
// class and styles, as Form1 creates it and as the bench's yardstick makes
// the same controls plain.
struct ControlStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};
ControlStyle StyleOf(const ui::ControlRow& row);

// ui::WindowRect as a RECT: the control's place in the client area at 96 DPI.
RECT DesignRect(const ui::ControlRow& row);

}  // namespace lumivar::win32

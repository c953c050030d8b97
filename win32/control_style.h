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

// A control's rectangle in the window's client area at 96 DPI: the table
// places the boxes inside their frames, and the frames inside the window.
RECT DesignRect(const ui::ControlRow& row);

}  // namespace lumivar::win32

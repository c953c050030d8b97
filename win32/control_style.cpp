#include "win32/control_style.h"

namespace lumivar::win32 {

using ui::ControlKind;
using ui::ControlRow;

ControlStyle StyleOf(const ControlRow& row) {
  ControlStyle made{L"STATIC", WS_CHILD | WS_VISIBLE, 0};
  switch (row.kind) {
    case ControlKind::Frame:
      made.window_class = L"BUTTON";
      made.style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
      break;
    case ControlKind::EditBox:
      made.window_class = L"EDIT";
      made.style |= ES_CENTER | ES_AUTOHSCROLL;
      if (row.masked) made.style |= ES_PASSWORD;
      made.style |= row.enabled ? WS_TABSTOP : WS_DISABLED;
      made.ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      // Never a default push button: Enter presses nothing.
      made.window_class = L"BUTTON";
      made.style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Picture:
      made.style |= SS_OWNERDRAW;
      break;
    case ControlKind::Window:
      break;
  }
  return made;
}

RECT DesignRect(const ControlRow& row) {
  const ui::Rect rect = ui::WindowRect(row);
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

}  // namespace lumivar::win32

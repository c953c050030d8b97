#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace lumivar::win32 {

// What an EDIT control of the window does beyond the standard control.
struct EditBehaviour {
  // Most UTF-16 units the user may type or paste; none: no limit.
  std::optional<std::size_t> entry_limit;
  // A masked box offers no copy or cut.
  bool masked = false;
  // Draws its own text in `text` on `ground`: a disabled EDIT would draw it
  // grey whatever colour its parent asks for.
  bool draws_own_text = false;
  COLORREF text = 0;
  COLORREF ground = 0;
};

// Subclasses the EDIT control `box`:
// - every typed character and every paste goes through the entry-limit rule
//   (ui/entry_limit_rule.h), in limited and unlimited boxes alike, so that no
//   half of a surrogate pair is ever kept; a typed character outside the
//   Basic Multilingual Plane arrives as two WM_CHAR messages, so the high
//   surrogate is held until its pair arrives;
// - a masked box ignores copy and cut (WM_COPY, WM_CUT and their keys);
// - WM_SETTEXT, the program's own writes, is left alone: stored whole.
// The state lives with the control and goes with it.
void InstallEditBehaviour(HWND box, const EditBehaviour& behaviour);

}  // namespace lumivar::win32

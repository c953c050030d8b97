#pragma once

#include <windows.h>

#include <string_view>

namespace lumivar::win32 {

// Gives a control the name (and, if not empty, the description) a screen
// reader announces for it, through oleacc's dynamic annotation
// (IAccPropServices). COM must be initialised on the thread. Returns whether
// the annotation was stored.
bool AnnotateAccessibleName(HWND control, std::u16string_view name,
                            std::u16string_view description = {});

// Drops the control's annotations; for when it is destroyed.
void ClearAccessibleAnnotations(HWND control);

}  // namespace lumivar::win32

#pragma once

#include <windows.h>

#include <string_view>

struct IAccPropServices;

namespace lumivar::win32 {

// The names (and descriptions) a screen reader announces for the window's
// controls, through oleacc's dynamic annotation (IAccPropServices). One
// services object, made at the first call, serves every control: making one
// per call costs a COM class lookup each time. COM must be initialised on
// the thread for as long as this lives.
class AccessibleAnnotations {
 public:
  AccessibleAnnotations() = default;
  AccessibleAnnotations(const AccessibleAnnotations&) = delete;
  AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;
  ~AccessibleAnnotations();

  // Gives the control its name and, if not empty, its description. Returns
  // whether the annotation was stored.
  bool Annotate(HWND control, std::u16string_view name, std::u16string_view description = {});
  // Drops the control's annotations; for when it is destroyed.
  void Clear(HWND control);

 private:
  IAccPropServices* Services();

  IAccPropServices* services_ = nullptr;
  bool unavailable_ = false;
};

}  // namespace lumivar::win32

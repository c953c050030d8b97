#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "logic/forecast.h"
#include "ui/layout_table.h"
#include "win32/accessibility.h"
#include "win32/assets.h"
#include "win32/field_boxes.h"

namespace lumivar::win32 {

// The program's one window, built from the layout table with standard
// controls: EDIT boxes, BUTTON group boxes for the frames, push buttons and
// an owner-drawn picture. It scales with the DPI of its monitor and cannot
// be resized or maximised.
class Form1 {
 public:
  explicit Form1(HINSTANCE instance);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates and shows the window with the focus in Text1; false on failure.
  bool Create(int show);
  // The window's keyboard handling for one message of the loop: Return and
  // Escape are dropped, Tab and Space work as in a dialog. True when the
  // message needs no further dispatch.
  bool PreTranslate(MSG& message);

 private:
  struct Control {
    const ui::ControlRow* row;
    HWND window;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Stores every control's accessible name, once.
  void AnnotateControls();
  void Annotate(const Control& control);
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR form);
  void CreateControls();
  HWND CreateControl(const ui::ControlRow& row, int id);
  // The window's size and every control's place and font at a new DPI.
  void ApplyDpi(UINT dpi);
  // Sizes the window for its client area at dpi_.
  void SizeWindow();
  // A control's rectangle in the client area at dpi_.
  RECT ScaledRect(const ui::ControlRow& row) const;
  void OnCommand(HWND control, int code);
  LRESULT OnControlColour(HDC dc, HWND control);
  const Control* Find(HWND control) const;
  HBRUSH Brush(ui::Rgb colour);
  HFONT Font(const ui::FontStyle& style);
  void MoveFocus(FocusRequest request);
  void ExitProgram();

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND last_focus_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<Control> controls_;
  FieldBoxes fields_;
  DesignFaces faces_;
  Picture picture_;
  AccessibleAnnotations annotations_;
  bool annotated_ = false;
  std::map<ui::Rgb, HBRUSH> brushes_;
  // Fonts of the current DPI by face and size (in hundredths of a point).
  std::map<std::pair<ui::FontFace, int>, HFONT> fonts_;
};

}  // namespace lumivar::win32

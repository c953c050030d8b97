#include "win32/form1.h"

#include <algorithm>
#include <string>

#include "ui/commands.h"
#include "win32/accessibility.h"
#include "win32/control_ids.h"
#include "win32/control_style.h"
#include "win32/dpi.h"
#include "win32/edit_box.h"
#include "win32/resource_ids.h"
#include "win32/system_dlls.h"
#include "win32/text.h"

namespace lumivar::win32 {
namespace {

using ui::ControlKind;
using ui::ControlRow;

// A fixed frame with a close box and a minimise box: no sizing border, no
// maximise box. No WS_CLIPCHILDREN: a group box paints only its lines and
// caption, and relies on the window's ground beneath it.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;
// The subclass of every control that waits for a screen reader's first
// question (edit boxes have a second one, their behaviour, under id 1).
constexpr UINT_PTR kAccessibilitySubclassId = 2;

int Scale(int value, UINT dpi) {
  return MulDiv(value, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

const ui::FontStyle& FontOf(const ControlRow& row) {
  return row.font ? *row.font : *ui::WindowRow().font;
}

// Themed group boxes draw their captions in the theme's colour and never ask
// the parent for one, so the frames are drawn classic. Empty names are the
// documented way; Wine 8 refuses them and keeps the theme, while a class
// list of one blank, which names no theme class, turns it off on both.
void TurnOffTheme(HWND frame) {
  if (FAILED(late::SetWindowTheme(frame, L"", L"")) || late::GetWindowTheme(frame) != nullptr) {
    late::SetWindowTheme(frame, L" ", L" ");
  }
}

}  // namespace

Form1::Form1(HINSTANCE instance) : instance_(instance) {}

Form1::~Form1() {
  if (window_ != nullptr) DestroyWindow(window_);
  for (const auto& [key, font] : fonts_) DeleteObject(font);
  for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
}

bool Form1::Create(int show) {
  faces_.Load(instance_, {ui::FontFace::Song, ui::FontFace::Hei});
  picture_.Load(instance_, IDB_PORTRAIT);

  const ControlRow& row = ui::WindowRow();
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_LUMIVAR));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_LUMIVAR),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = Brush(row.colours->ground);
  window_class.lpszClassName = kFormClassName;
  if (RegisterClassExW(&window_class) == 0) return false;

  const std::wstring title = Wide(row.caption);
  window_ =
      CreateWindowExW(kExStyle, kFormClassName, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      row.geometry.width, row.geometry.height, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;
  // The controls are made at their place and with their font at the
  // window's DPI, rather than made empty and then moved and sized: each
  // move and first font of a control is a round of messages it need not go
  // through twice.
  dpi_ = WindowDpi(window_);
  SizeWindow();
  CreateControls();
  last_focus_ = fields_.Box(FieldId::Text1);
  ShowWindow(window_, show);
  UpdateWindow(window_);
  SetFocus(last_focus_);
  return true;
}

bool Form1::PreTranslate(MSG& message) {
  const bool key =
      message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
  // Enter and Escape press nothing. Left to IsDialogMessage, Return would
  // click a focused push button, and otherwise both would become the
  // commands IDOK and IDCANCEL. As WM_CHAR they are '\r' and ESC, the same
  // numbers as their virtual keys.
  if (key && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) return true;
  return IsDialogMessageW(window_, &message) != FALSE;
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    auto* form = static_cast<Form1*>(create->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->OnMessage(message, wparam, lparam);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      picture_.Draw(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_ACTIVATE:
      // A plain window does not keep its focused control across
      // deactivation as a dialog does: remember it and give it back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
          last_focus_ = focus;
        }
      } else if (last_focus_ != nullptr) {
        SetFocus(last_focus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (last_focus_ != nullptr) SetFocus(last_focus_);
      return 0;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(HIWORD(wparam));
      return 0;
    }
    case WM_GETOBJECT:
      AnnotateControls();
      break;
    case WM_DESTROY:
      if (annotated_) {
        for (const Control& control : controls_) annotations_.Clear(control.window);
      }
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

// Every control's accessible name, stored when a screen reader first asks
// for the window or any control (WM_GETOBJECT) rather than at start, where
// oleacc's services would be loaded before the window is shown by a program
// that mostly runs with no screen reader. They are stored before that first
// question is answered, so it is answered with them.
// A question that comes while the controls are being made (a screen reader
// hears of the window as it is created) names those made so far; the rest
// are named as they are made.
void Form1::AnnotateControls() {
  if (annotated_) return;
  annotated_ = true;
  for (const Control& control : controls_) Annotate(control);
}

void Form1::Annotate(const Control& control) {
  annotations_.Annotate(control.window, control.row->accessible_name,
                        control.row->masked ? ui::kHiddenDescription : std::u16string_view());
}

LRESULT CALLBACK Form1::ControlProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR /*id*/, DWORD_PTR form) {
  if (message == WM_GETOBJECT) {
    reinterpret_cast<Form1*>(form)->AnnotateControls();
  } else if (message == WM_NCDESTROY) {
    late::RemoveWindowSubclass(control, ControlProc, kAccessibilitySubclassId);
  }
  return late::DefSubclassProc(control, message, wparam, lparam);
}

void Form1::CreateControls() {
  // Creation order is the dialog manager's tab order: the tab stops first,
  // in the table's tab order, then everything that never takes the focus.
  std::vector<const ControlRow*> order(ui::TabStops().begin(), ui::TabStops().end());
  for (const ControlRow& row : ui::ControlTable()) {
    if (row.kind != ControlKind::Window &&
        std::find(order.begin(), order.end(), &row) == order.end()) {
      order.push_back(&row);
    }
  }
  for (const ControlRow* row : order) {
    HWND control = CreateControl(*row, ControlId(*row));
    controls_.push_back({row, control});
    if (const auto field = ui::FieldOf(*row)) fields_.Attach(*field, control);
    if (annotated_) {
      Annotate(controls_.back());
    } else {
      late::SetWindowSubclass(control, ControlProc, kAccessibilitySubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
    }
  }
  // The frames go below the boxes they surround, so that their painting
  // (clipped by WS_CLIPSIBLINGS) never covers them.
  for (const Control& control : controls_) {
    if (control.row->kind == ControlKind::Frame) {
      SetWindowPos(control.window, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

HWND Form1::CreateControl(const ControlRow& row, int id) {
  const ControlStyle made = StyleOf(row);
  const std::wstring caption = Wide(row.caption);
  const RECT place = ScaledRect(row);
  HWND control =
      CreateWindowExW(made.ex_style, made.window_class, caption.c_str(), made.style, place.left,
                      place.top, place.right - place.left, place.bottom - place.top, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (control == nullptr) return nullptr;
  if (row.kind == ControlKind::Frame) TurnOffTheme(control);
  if (row.kind == ControlKind::EditBox) {
    if (row.masked) SendMessageW(control, EM_SETPASSWORDCHAR, ui::kMaskCharacter, 0);
    EditBehaviour behaviour;
    if (row.entry_limit) behaviour.entry_limit = static_cast<std::size_t>(*row.entry_limit);
    behaviour.masked = row.masked;
    behaviour.draws_own_text = !row.enabled;
    behaviour.text = ToColorRef(row.colours->text);
    behaviour.ground = ToColorRef(row.colours->ground);
    InstallEditBehaviour(control, behaviour);
  }
  // Last, so that an edit box's own behaviour centres its line for the
  // font. Not yet shown: nothing to redraw.
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(FontOf(row))), FALSE);
  return control;
}

void Form1::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  auto old_fonts = std::exchange(fonts_, {});
  SizeWindow();
  for (const Control& control : controls_) {
    const RECT place = ScaledRect(*control.row);
    SetWindowPos(control.window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(FontOf(*control.row))),
                 TRUE);
  }
  for (const auto& [key, font] : old_fonts) DeleteObject(font);
  InvalidateRect(window_, nullptr, TRUE);
}

void Form1::SizeWindow() {
  const ControlRow& row = ui::WindowRow();
  RECT frame{0, 0, Scale(row.geometry.width, dpi_), Scale(row.geometry.height, dpi_)};
  AdjustWindowRectToDpi(frame, kStyle, kExStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Scaling the edges rather than the sizes keeps touching controls touching.
RECT Form1::ScaledRect(const ControlRow& row) const {
  const RECT design = DesignRect(row);
  return {Scale(design.left, dpi_), Scale(design.top, dpi_), Scale(design.right, dpi_),
          Scale(design.bottom, dpi_)};
}

void Form1::OnCommand(HWND control, int code) {
  const Control* found = Find(control);
  if (found == nullptr) return;
  const ControlRow& row = *found->row;
  if (row.kind == ControlKind::Button && code == BN_CLICKED) {
    if (ui::RunCommand(*ui::CommandOf(row), fields_) == ui::AfterCommand::ExitProgram) {
      ExitProgram();
    }
  } else if (row.kind == ControlKind::EditBox && code == EN_CHANGE) {
    // Sent for the user's edits and for the program's own writes alike.
    if (const auto field = ui::FieldOf(row); field && AdvancesFocus(*field)) {
      MoveFocus(AdvanceFocus(*field, WindowText(control)));
    }
  }
}

// Ends the program: nothing is kept, so nothing needs saving or confirming.
void Form1::ExitProgram() {
  DestroyWindow(window_);
}

LRESULT Form1::OnControlColour(HDC dc, HWND control) {
  const Control* found = Find(control);
  if (found == nullptr) return reinterpret_cast<LRESULT>(Brush(ui::WindowRow().colours->ground));
  const ControlRow& row = *found->row;
  if (!row.colours) {
    // Buttons and the picture: the window's ground around them.
    return reinterpret_cast<LRESULT>(Brush(ui::WindowRow().colours->ground));
  }
  SetTextColor(dc, ToColorRef(row.colours->text));
  SetBkColor(dc, ToColorRef(row.colours->ground));
  return reinterpret_cast<LRESULT>(Brush(row.colours->ground));
}

const Form1::Control* Form1::Find(HWND control) const {
  for (const Control& candidate : controls_) {
    if (candidate.window == control) return &candidate;
  }
  return nullptr;
}

HBRUSH Form1::Brush(ui::Rgb colour) {
  auto [it, added] = brushes_.try_emplace(colour, nullptr);
  if (added) it->second = CreateSolidBrush(ToColorRef(colour));
  return it->second;
}

HFONT Form1::Font(const ui::FontStyle& style) {
  const std::pair key{style.face, static_cast<int>(style.point_size * 100)};
  auto [it, added] = fonts_.try_emplace(key, nullptr);
  if (added) it->second = faces_.Create(style, dpi_);
  return it->second;
}

void Form1::MoveFocus(FocusRequest request) {
  if (request) SetFocus(fields_.Box(*request));
}

}  // namespace lumivar::win32

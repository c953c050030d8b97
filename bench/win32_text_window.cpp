// The yardstick for lumivar.exe's start-up time and memory: the floor of a
// Win32 window with text. A window of Form1's client size (scaled to its
// DPI) and styles holding one group box and one edit box with a digit, at
// the places and sizes of Frame1 and Text1, both in bold 宋体 where Windows
// has it and otherwise in the bundled Song subset registered from memory,
// chosen by the same code as lumivar.exe's (win32/assets.cpp). It is built in
// the Windows cross build beside lumivar.exe, with the same compiler, flags,
// static runtime and manifest (win32/CMakeLists.txt), and like lumivar.exe
// it uses the common controls of that manifest (version 6).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/layout_table.h"
#include "win32/assets.h"
#include "win32/dpi.h"
#include "win32/text.h"

namespace {

using lumivar::ui::ControlRow;
namespace win32 = lumivar::win32;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;
constexpr std::u16string_view kDigit = u"8";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int Scale(int value, UINT dpi) {
  return MulDiv(value, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

// A control of the layout table, at its place in the client area at `dpi`
// (the table places the edit box inside its frame), in Song at its size.
HWND AddControl(HWND window, const ControlRow& row, const win32::DesignFaces& faces, UINT dpi,
                std::u16string_view text, const wchar_t* window_class, DWORD style,
                DWORD ex_style) {
  RECT place{row.geometry.left, row.geometry.top, row.geometry.left + row.geometry.width,
             row.geometry.top + row.geometry.height};
  if (const ControlRow* parent = lumivar::ui::FindControl(row.parent);
      parent != nullptr && parent->kind != lumivar::ui::ControlKind::Window) {
    OffsetRect(&place, parent->geometry.left, parent->geometry.top);
  }
  const std::wstring caption = win32::Wide(text);
  HWND control = CreateWindowExW(
      ex_style, window_class, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
      Scale(place.left, dpi), Scale(place.top, dpi),
      Scale(place.right, dpi) - Scale(place.left, dpi),
      Scale(place.bottom, dpi) - Scale(place.top, dpi), window, nullptr, nullptr, nullptr);
  const lumivar::ui::FontStyle& font = row.font ? *row.font : *lumivar::ui::WindowRow().font;
  // Created for this control and kept for the process's life, as small as
  // that is.
  HFONT handle = faces.Create({lumivar::ui::FontFace::Song, font.point_size}, dpi);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
  return control;
}

}  // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the SDK's names are
// Hungarian
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  win32::DesignFaces faces;
  faces.Load(hInstance, {lumivar::ui::FontFace::Song});

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = hInstance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  window_class.lpszClassName = L"Win32TextWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;

  const lumivar::ui::Rect& client = lumivar::ui::WindowRow().geometry;
  HWND window = CreateWindowExW(kExStyle, window_class.lpszClassName, L"win32_text_window", kStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, client.width, client.height, nullptr,
                                nullptr, hInstance, nullptr);
  if (window == nullptr) return 1;
  // The client area at the window's DPI, as Form1 sizes its own.
  const UINT dpi = win32::WindowDpi(window);
  RECT frame{0, 0, Scale(client.width, dpi), Scale(client.height, dpi)};
  win32::AdjustWindowRectToDpi(frame, kStyle, kExStyle, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const ControlRow& box = *lumivar::ui::FindControl("Text1");
  const ControlRow& group = *lumivar::ui::FindControl(box.parent);
  AddControl(window, group, faces, dpi, group.caption, L"BUTTON", BS_GROUPBOX, 0);
  AddControl(window, box, faces, dpi, kDigit, L"EDIT", ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE);
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// The yardstick for lumivar.exe's start-up time and memory: the floor of its
// own controls. A window of Form1's client size and styles holding the same
// child controls, one per row of the layout table, of the same classes and
// styles, at the same places and with the same start-up texts
// (win32/control_style.cpp, which Form1 uses too), and nothing else: the
// default GUI font, the system's colours, no picture or icon, no subclasses,
// no accessibility annotations and no DPI scaling. It is built in the Windows
// cross build beside lumivar.exe, with the same compiler, flags, static
// runtime and manifest (win32/CMakeLists.txt).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/layout_table.h"
#include "win32/control_style.h"
#include "win32/text.h"

namespace {

using lumivar::ui::ControlKind;
using lumivar::ui::ControlRow;
namespace win32 = lumivar::win32;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the SDK's names are
// Hungarian
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = hInstance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = L"Win32ControlsWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;

  const lumivar::ui::Rect& client = lumivar::ui::WindowRow().geometry;
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  HWND window = CreateWindowExW(kExStyle, window_class.lpszClassName, L"win32_controls_window",
                                kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, hInstance, nullptr);
  if (window == nullptr) return 1;
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlRow& row : lumivar::ui::ControlTable()) {
    if (row.kind == ControlKind::Window) continue;
    const win32::ControlStyle made = win32::StyleOf(row);
    const RECT place = win32::DesignRect(row);
    const std::wstring caption = win32::Wide(row.caption);
    HWND control = CreateWindowExW(made.ex_style, made.window_class, caption.c_str(), made.style,
                                   place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, window, nullptr, hInstance, nullptr);
    SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

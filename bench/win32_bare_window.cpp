// The yardstick for lumivar.exe's start-up time and memory: an empty Win32
// window of the same client size as Form1 (490 x 434 at 96 DPI, scaled to
// the window's DPI) and the same window styles, with nothing in it. It is
// built in the Windows cross build beside lumivar.exe, with the same
// compiler, flags, static runtime and manifest (win32/CMakeLists.txt).
#include <windows.h>

#include "win32/dpi.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;
constexpr int kClientWidth = 490;
constexpr int kClientHeight = 434;

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
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = hInstance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = L"Win32BareWindow";
  if (RegisterClassExW(&window_class) == 0) return 1;

  HWND window = CreateWindowExW(kExStyle, window_class.lpszClassName, L"win32_bare_window", kStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, kClientHeight, nullptr,
                                nullptr, hInstance, nullptr);
  if (window == nullptr) return 1;
  // The client area at the window's DPI, as Form1 sizes its own.
  const UINT dpi = lumivar::win32::WindowDpi(window);
  RECT frame{0, 0, MulDiv(kClientWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI),
             MulDiv(kClientHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)};
  lumivar::win32::AdjustWindowRectToDpi(frame, kStyle, kExStyle, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

#include "win32/dpi.h"

#include "win32/system_dlls.h"

namespace lumivar::win32 {
namespace {

// shcore.dll's GetDpiForMonitor and its MONITOR_DPI_TYPE are hidden by the
// headers below Windows 8.1, so they are declared here.
enum MonitorDpiType : int { kEffectiveDpi = 0 };  // MDT_EFFECTIVE_DPI
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, MonitorDpiType, UINT*, UINT*);

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto for_window = Late<GetDpiForWindowFunction>(LateIndex("GetDpiForWindow"));
  if (for_window != nullptr) {
    if (const UINT dpi = for_window(window); dpi != 0) return dpi;
  }
  static const auto for_monitor = Late<GetDpiForMonitorFunction>(LateIndex("GetDpiForMonitor"));
  if (for_monitor != nullptr) {
    UINT x = 0;
    UINT y = 0;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (SUCCEEDED(for_monitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) return y;
  }
  return SystemDpi();
}

void AdjustWindowRectToDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi) {
  static const auto for_dpi =
      Late<AdjustWindowRectExForDpiFunction>(LateIndex("AdjustWindowRectExForDpi"));
  if (for_dpi != nullptr && for_dpi(&rect, style, FALSE, ex_style, dpi) != FALSE) return;
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

}  // namespace lumivar::win32

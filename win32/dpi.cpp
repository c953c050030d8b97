#include "win32/dpi.h"

namespace lumivar::win32 {
namespace {

// Functions newer than Windows 7, which the program reaches at run time so
// that Windows 7's loader still accepts it. shcore.dll's GetDpiForMonitor and
// its MONITOR_DPI_TYPE are hidden by the headers below Windows 8.1, so they
// are declared here.
enum MonitorDpiType : int { kEffectiveDpi = 0 };  // MDT_EFFECTIVE_DPI
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, MonitorDpiType, UINT*, UINT*);

// The function `name` of `module` as a `Function`, or null where this Windows
// lacks it. GetProcAddress's FARPROC goes through void (*)() on its way,
// the one function pointer type that converts to any other without a
// -Wcast-function-type warning. Built with LUMIVAR_FORCE_FALLBACKS (the
// tests' Windows 7 copy), it never finds anything.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
#ifdef LUMIVAR_FORCE_FALLBACKS
  static_cast<void>(module);
  static_cast<void>(name);
  return nullptr;
#else
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
#endif
}

HMODULE User32() {
  static const HMODULE module = GetModuleHandleW(L"user32.dll");
  return module;
}

// shcore.dll exists from Windows 8.1 on. Loaded from the system folder only,
// never from the program's; where Windows 7 lacks that search flag, the call
// fails and there is no shcore.dll to load anyway.
HMODULE Shcore() {
  static const HMODULE module =
      LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module;
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto for_window = Lookup<GetDpiForWindowFunction>(User32(), "GetDpiForWindow");
  if (for_window != nullptr) {
    if (const UINT dpi = for_window(window); dpi != 0) return dpi;
  }
  static const auto for_monitor = Lookup<GetDpiForMonitorFunction>(Shcore(), "GetDpiForMonitor");
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
      Lookup<AdjustWindowRectExForDpiFunction>(User32(), "AdjustWindowRectExForDpi");
  if (for_dpi != nullptr && for_dpi(&rect, style, FALSE, ex_style, dpi) != FALSE) return;
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

}  // namespace lumivar::win32

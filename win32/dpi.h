#pragma once

#include <windows.h>

namespace lumivar::win32 {

// The DPI a window is drawn at, on every Windows from 7 on: the window's own
// (Windows 10 1607 and later, per-monitor v2), else its monitor's (Windows
// 8.1, per-monitor aware through the manifest), else the system's (Windows 7
// and 8, where every window has the one DPI of the session).
UINT WindowDpi(HWND window);

// Widens a client rectangle to the window rectangle of that style at `dpi`:
// with the frame of that DPI where Windows can size frames per DPI (10 1607
// and later), else with the frame of the system's DPI, which is the frame
// such a window has there.
void AdjustWindowRectToDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace lumivar::win32

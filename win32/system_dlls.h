// Where lumivar.exe finds its DLLs. It is a portable program that people
// start from their Downloads folder, where a web page may have dropped a DLL
// under a name Windows looks for in the program's own folder first. So the
// .exe imports only DLLs that are KnownDLLs (which Windows always takes from
// System32), locks the search to System32 before anything else runs, and
// reaches every other DLL at run time, through the table below.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <array>
#include <string_view>

namespace lumivar::win32 {

// A function the program reaches at run time. `since_windows_7` is false for
// the newer ones, which the program looks for and does without where this
// Windows lacks them.
struct LateImport {
  const wchar_t* dll;
  const char* function;
  bool since_windows_7;
};

inline constexpr std::array kLateImports{
    LateImport{L"kernel32.dll", "SetDefaultDllDirectories", false},
    LateImport{L"comctl32.dll", "InitCommonControlsEx", true},
    LateImport{L"comctl32.dll", "SetWindowSubclass", true},
    LateImport{L"comctl32.dll", "DefSubclassProc", true},
    LateImport{L"comctl32.dll", "RemoveWindowSubclass", true},
    LateImport{L"uxtheme.dll", "SetWindowTheme", true},
    LateImport{L"uxtheme.dll", "GetWindowTheme", true},
    LateImport{L"user32.dll", "GetDpiForWindow", false},
    LateImport{L"user32.dll", "AdjustWindowRectExForDpi", false},
    LateImport{L"shcore.dll", "GetDpiForMonitor", false},
};

// The first thing the program does: from here on, DLLs loaded by name come
// from System32 (or, for comctl32, from the side-by-side copy the manifest
// names), never from the program's folder or the current one.
void LockDllSearch();

// The address of kLateImports[index]'s function, or null where this Windows
// lacks it. Built with LUMIVAR_FORCE_FALLBACKS (the tests' Windows 7 copy),
// it finds none of the newer functions, and the search is locked the way a
// Windows 7 without SetDefaultDllDirectories allows.
void (*LateAddress(std::size_t index))();

consteval std::size_t LateIndex(std::string_view function) {
  for (std::size_t i = 0; i < kLateImports.size(); ++i) {
    if (kLateImports[i].function == function) return i;
  }
  throw "not in kLateImports";  // a compile-time error, as this is consteval
}

// The function named `function` as a `Function`, or null. void (*)() is the
// one function pointer type that converts to any other without a
// -Wcast-function-type warning.
template <typename Function>
Function Late(std::size_t index) {
  return reinterpret_cast<Function>(LateAddress(index));
}

// The run-time versions of the functions the program calls from comctl32 and
// uxtheme; each answers as a failed call would where the DLL is missing.
namespace late {
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
HRESULT SetWindowTheme(HWND window, LPCWSTR app_name, LPCWSTR id_list);
HTHEME GetWindowTheme(HWND window);
}  // namespace late

}  // namespace lumivar::win32

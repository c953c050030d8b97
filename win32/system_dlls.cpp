#include "win32/system_dlls.h"

#include <string>

namespace lumivar::win32 {
namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Whether SetDefaultDllDirectories took: Windows 7 has it only with update
// KB2533623.
bool search_locked = false;

// The DLL `name` from System32. comctl32 is loaded by name even where the
// search could not be locked: the manifest binds it to its side-by-side
// version 6, and that redirection comes before any search. Elsewhere,
// without the lock, only a full path keeps the program's folder out.
constexpr std::wstring_view kSideBySideDll = L"comctl32.dll";

HMODULE LoadSystemDll(const wchar_t* name) {
  const std::wstring_view dll(name);
  if (dll == kSideBySideDll) return LoadLibraryW(name);
  if (search_locked) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  std::wstring path(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
  if (length == 0 || length >= path.size()) return nullptr;
  path.resize(length);
  path.append(L"\\").append(dll);
  return LoadLibraryW(path.c_str());
}

void (*Find(const LateImport& import))() {
#ifdef LUMIVAR_FORCE_FALLBACKS
  if (!import.since_windows_7) return nullptr;
#endif
  HMODULE module = LoadSystemDll(import.dll);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void (*)()>(GetProcAddress(module, import.function));
}

}  // namespace

void LockDllSearch() {
  const auto set_default =
      Late<SetDefaultDllDirectoriesFunction>(LateIndex("SetDefaultDllDirectories"));
  search_locked = set_default != nullptr && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  // Takes the current folder out of the search on every Windows.
  SetDllDirectoryW(L"");
  if (search_locked) return;
  // Without the lock, the program's folder still comes first for any DLL
  // loaded by name, also by the system's own DLLs (comctl32 and user32 load
  // uxtheme). A DLL already loaded is taken by its name alone, so each one
  // is loaded now from its full System32 path, before comctl32 brings the
  // others in.
  for (const LateImport& import : kLateImports) {
    if (import.dll != kSideBySideDll) LoadSystemDll(import.dll);
  }
}

void (*LateAddress(std::size_t index))() {
  static std::array<void (*)(), kLateImports.size()> found{};
  static std::array<bool, kLateImports.size()> looked_up{};
  if (!looked_up.at(index)) {
    looked_up.at(index) = true;
    found.at(index) = Find(kLateImports.at(index));
  }
  return found.at(index);
}

namespace late {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  static const auto function =
      Late<decltype(&::InitCommonControlsEx)>(LateIndex("InitCommonControlsEx"));
  return function != nullptr ? function(controls) : FALSE;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static const auto function = Late<decltype(&::SetWindowSubclass)>(LateIndex("SetWindowSubclass"));
  return function != nullptr ? function(window, procedure, id, data) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  static const auto function = Late<decltype(&::DefSubclassProc)>(LateIndex("DefSubclassProc"));
  return function != nullptr ? function(window, message, wparam, lparam)
                             : DefWindowProcW(window, message, wparam, lparam);
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static const auto function =
      Late<decltype(&::RemoveWindowSubclass)>(LateIndex("RemoveWindowSubclass"));
  return function != nullptr ? function(window, procedure, id) : FALSE;
}

HRESULT SetWindowTheme(HWND window, LPCWSTR app_name, LPCWSTR id_list) {
  static const auto function = Late<decltype(&::SetWindowTheme)>(LateIndex("SetWindowTheme"));
  return function != nullptr ? function(window, app_name, id_list)
                             : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

HTHEME GetWindowTheme(HWND window) {
  static const auto function = Late<decltype(&::GetWindowTheme)>(LateIndex("GetWindowTheme"));
  return function != nullptr ? function(window) : nullptr;
}

}  // namespace late
}  // namespace lumivar::win32

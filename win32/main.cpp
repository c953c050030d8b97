// lumivar.exe: the program's one window in plain Win32.
#include <windows.h>

#include <objbase.h>

#include "win32/form1.h"
#include "win32/system_dlls.h"

namespace {

int RunMessageLoop(lumivar::win32::Form1& form) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The exit code PostQuitMessage gave: 0 for 退出系统 and the close box.
  return static_cast<int>(message.wParam);
}

}  // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the SDK's names are
// Hungarian
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  lumivar::win32::LockDllSearch();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  lumivar::win32::late::InitCommonControlsEx(&controls);
  // For oleacc's accessibility annotations.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int status = 1;
  {
    lumivar::win32::Form1 form(hInstance);
    if (form.Create(nShowCmd)) status = RunMessageLoop(form);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}

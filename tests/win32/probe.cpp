// A look inside the running lumivar.exe from another Windows process, for the
// Wine tests: what a box holds, which control has the focus, the clipboard,
// and what a screen reader reads. Text goes out and in as UTF-16 units in hex,
// so that a lone surrogate survives the trip.
//
//   probe text NAME               the units of the control's text, e.g. "0031"
//   probe focus                   the name of the control with the keyboard focus
//   probe tab-stops               the names of the tab stops in the table's order
//   probe set-clipboard [UNIT…]   puts the units on the clipboard as text
//   probe clipboard               the units of the clipboard's text, or "none"
//   probe accessible-name NAME    the name oleacc reports for the control
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "ui/layout_table.h"
#include "win32/control_ids.h"

namespace {

using lumivar::ui::ControlRow;

void PrintUnits(std::wstring_view units) {
  std::string line;
  for (const wchar_t unit : units) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s%04X", line.empty() ? "" : " ", static_cast<unsigned>(unit));
    line += hex;
  }
  std::printf("%s\n", line.c_str());
}

HWND Form() {
  return FindWindowW(lumivar::win32::kFormClassName, nullptr);
}

HWND Control(const char* name) {
  const ControlRow* row = lumivar::ui::FindControl(name);
  if (row == nullptr || Form() == nullptr) return nullptr;
  return GetDlgItem(Form(), lumivar::win32::ControlId(*row));
}

std::string_view NameOf(HWND control) {
  for (const ControlRow& row : lumivar::ui::ControlTable()) {
    if (control != nullptr && GetDlgItem(Form(), lumivar::win32::ControlId(row)) == control) {
      return row.name;
    }
  }
  return "none";
}

int Text(const char* name) {
  HWND control = Control(name);
  if (control == nullptr) return 2;
  std::wstring text(256, L'\0');
  const auto length =
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  PrintUnits(text);
  return 0;
}

int Focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (Form() == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(Form(), nullptr), &info)) {
    return 2;
  }
  std::printf("%s\n", std::string(NameOf(info.hwndFocus)).c_str());
  return 0;
}

int TabStops() {
  for (const ControlRow* row : lumivar::ui::TabStops()) {
    std::printf("%s\n", std::string(row->name).c_str());
  }
  return 0;
}

int SetClipboard(int count, char** units) {
  std::wstring text;
  for (int i = 0; i < count; ++i)
    text.push_back(static_cast<wchar_t>(std::strtoul(units[i], nullptr, 16)));
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 2;
  EmptyClipboard();
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return set ? 0 : 2;
}

int Clipboard() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) {
    std::printf("none\n");
    return 0;
  }
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* units = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (units != nullptr) {
    PrintUnits(units);
    GlobalUnlock(data);
  } else {
    std::printf("none\n");
  }
  CloseClipboard();
  return 0;
}

int AccessibleName(const char* name) {
  HWND control = Control(name);
  if (control == nullptr) return 2;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&accessible)))) {
    return 2;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  const HRESULT got = accessible->get_accName(self, &text);
  PrintUnits(SUCCEEDED(got) && text != nullptr ? std::wstring_view(text) : std::wstring_view());
  SysFreeString(text);
  accessible->Release();
  CoUninitialize();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "text" && argc == 3) return Text(argv[2]);
  if (command == "focus") return Focus();
  if (command == "tab-stops") return TabStops();
  if (command == "set-clipboard") return SetClipboard(argc - 2, argv + 2);
  if (command == "clipboard") return Clipboard();
  if (command == "accessible-name" && argc == 3) return AccessibleName(argv[2]);
  std::fprintf(stderr,
               "usage: probe text NAME | focus | tab-stops | set-clipboard [UNIT...] | "
               "clipboard | accessible-name NAME\n");
  return 2;
}

#include "win32/edit_box.h"

#include <imm.h>

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "logic/value_conversions.h"
#include "ui/entry_limit_rule.h"
#include "win32/system_dlls.h"
#include "win32/text.h"

namespace lumivar::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

struct EditState {
  EditBehaviour behaviour;
  // The high surrogate of a character whose low surrogate is still to come.
  char16_t held = 0;
};

bool KeyDown(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

// The text on the clipboard up to its first line break, as a single-line
// edit box pastes it.
std::u16string ClipboardLine(HWND owner) {
  std::u16string text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data)); units != nullptr) {
      text = Utf16(units);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  const std::size_t line_end = text.find_first_of(u"\r\n");
  if (line_end != std::u16string::npos) text.resize(line_end);
  return text;
}

// The text an input method has just finished composing.
std::u16string CompositionResult(HWND box) {
  std::u16string text;
  HIMC context = ImmGetContext(box);
  if (context == nullptr) return text;
  const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  if (bytes > 0) {
    std::wstring units(static_cast<std::size_t>(bytes) / sizeof(wchar_t), L'\0');
    ImmGetCompositionStringW(context, GCS_RESULTSTR, units.data(), static_cast<DWORD>(bytes));
    text = Utf16(units);
  }
  ImmReleaseContext(box, context);
  return text;
}

// Puts `inserted` in place of the selection as far as the entry-limit rule
// lets it, through EM_REPLACESEL so that the control keeps its undo and
// sends EN_CHANGE as for any user edit. A refused edit changes nothing.
void Insert(HWND box, const EditState& state, const std::u16string& inserted) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::u16string text = WindowText(box);
  const ui::UserEdit edit{{start, end - start}, inserted};
  const std::size_t limit =
      state.behaviour.entry_limit.value_or(std::numeric_limits<std::size_t>::max());
  const auto limited = ui::ApplyEntryLimit(text, edit, limit);
  if (!limited) return;
  const std::size_t from = std::min<std::size_t>(start, text.size());
  const std::wstring kept =
      Wide(std::u16string_view(limited->text).substr(from, limited->cursor - from));
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

// A typed character: printable ones go through the rule, control characters
// (Backspace, Ctrl+A, …) to the control, bar copy and cut in a masked box.
bool OnChar(HWND box, EditState& state, wchar_t unit) {
  const char16_t held = std::exchange(state.held, 0);
  if (IsHighSurrogate(unit)) {
    state.held = static_cast<char16_t>(unit);
    return true;
  }
  if (unit == 0x16) {  // Ctrl+V
    SendMessageW(box, WM_PASTE, 0, 0);
    return true;
  }
  if (unit < 0x20 || unit == 0x7F) {
    const bool copy_or_cut = unit == 0x03 || unit == 0x18;  // Ctrl+C, Ctrl+X
    return copy_or_cut && state.behaviour.masked;
  }
  std::u16string inserted;
  if (held != 0 && IsLowSurrogate(unit)) inserted.push_back(held);
  inserted.push_back(static_cast<char16_t>(unit));
  Insert(box, state, inserted);
  return true;
}

// Keys the control acts on without a WM_CHAR: Shift+Insert pastes, and
// Shift+Delete and Ctrl+Insert cut and copy.
bool OnKeyDown(HWND box, const EditState& state, WPARAM key) {
  const bool shift = KeyDown(VK_SHIFT);
  const bool control = KeyDown(VK_CONTROL);
  if (key == VK_INSERT && shift && !control) {
    SendMessageW(box, WM_PASTE, 0, 0);
    return true;
  }
  const bool cut = key == VK_DELETE && shift && !control;
  const bool copy = key == VK_INSERT && control && !shift;
  return state.behaviour.masked && (cut || copy);
}

// The height of one line of the box's font.
int LineHeight(HWND box) {
  HDC dc = GetDC(box);
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old_font);
  ReleaseDC(box, dc);
  return metrics.tmHeight;
}

// A single-line EDIT draws its line at the top of its client area; the
// design centres it in the box. The client area is cut to one line in the
// middle, and what is left above and below becomes frame, painted in the
// box's ground by OnNcPaint.
void CentreLine(HWND box, RECT& client) {
  const int spare = (client.bottom - client.top) - LineHeight(box);
  if (spare <= 0) return;
  client.top += spare / 2;
  client.bottom -= spare - spare / 2;
}

void OnNcPaint(HWND box, const EditState& state) {
  RECT window{};
  GetWindowRect(box, &window);
  POINT origin{window.left, window.top};
  RECT client{};
  GetClientRect(box, &client);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -origin.x, -origin.y);
  OffsetRect(&window, -origin.x, -origin.y);
  // The strips between the border (2 pixels of client edge) and the line.
  HDC dc = GetWindowDC(box);
  HBRUSH ground = CreateSolidBrush(state.behaviour.ground);
  const RECT above{client.left, std::min<LONG>(window.top + 2, client.top), client.right,
                   client.top};
  const RECT below{client.left, client.bottom, client.right,
                   std::max<LONG>(window.bottom - 2, client.bottom)};
  FillRect(dc, &above, ground);
  FillRect(dc, &below, ground);
  DeleteObject(ground);
  ReleaseDC(box, dc);
}

void PaintOwnText(HWND box, const EditState& state) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(box, &paint);
  RECT client{};
  GetClientRect(box, &client);
  HBRUSH ground = CreateSolidBrush(state.behaviour.ground);
  FillRect(dc, &client, ground);
  DeleteObject(ground);
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SetTextColor(dc, state.behaviour.text);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Wide(WindowText(box));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  EndPaint(box, &paint);
}

LRESULT CALLBACK EditProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                          DWORD_PTR data) {
  auto* state = reinterpret_cast<EditState*>(data);
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
      if (OnChar(box, *state, static_cast<wchar_t>(wparam))) return 0;
      break;
    case WM_IME_COMPOSITION:
      // A finished composition goes in through the rule like typed text.
      if ((lparam & GCS_RESULTSTR) != 0) {
        Insert(box, *state, CompositionResult(box));
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (OnKeyDown(box, *state, wparam)) return 0;
      break;
    case WM_PASTE:
      if ((GetWindowLongW(box, GWL_STYLE) & (ES_READONLY | WS_DISABLED)) == 0) {
        Insert(box, *state, ClipboardLine(box));
      }
      return 0;
    case WM_COPY:
    case WM_CUT:
      if (state->behaviour.masked) return 0;
      break;
    case WM_NCCALCSIZE: {
      const LRESULT result = late::DefSubclassProc(box, message, wparam, lparam);
      CentreLine(box, *reinterpret_cast<RECT*>(lparam));  // rgrc[0] when wparam is TRUE
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = late::DefSubclassProc(box, message, wparam, lparam);
      OnNcPaint(box, *state);
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = late::DefSubclassProc(box, message, wparam, lparam);
      SetWindowPos(box, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return result;
    }
    case WM_ERASEBKGND:
      if (state->behaviour.draws_own_text) return 1;
      break;
    case WM_PAINT:
      if (state->behaviour.draws_own_text) {
        PaintOwnText(box, *state);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      late::RemoveWindowSubclass(box, EditProc, kSubclassId);
      delete state;
      break;
    default:
      break;
  }
  return late::DefSubclassProc(box, message, wparam, lparam);
}

}  // namespace

void InstallEditBehaviour(HWND box, const EditBehaviour& behaviour) {
  auto* state = new EditState{behaviour};
  if (!late::SetWindowSubclass(box, EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
  }
}

}  // namespace lumivar::win32

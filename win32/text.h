#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivar::win32 {

// On Windows wchar_t is one UTF-16 unit, as char16_t is.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}

inline std::u16string Utf16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

// A window's whole text.
std::u16string WindowText(HWND window);

// A colour of the layout table (0xRRGGBB) as GDI takes it (0x00BBGGRR).
constexpr COLORREF ToColorRef(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace lumivar::win32

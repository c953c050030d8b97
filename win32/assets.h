#pragma once

#include <windows.h>

#include <array>
#include <initializer_list>
#include <span>
#include <string>

#include "ui/layout_table.h"

namespace lumivar::win32 {

// The bytes of an RCDATA resource of the program; empty if it is missing.
std::span<const std::byte> ResourceBytes(HINSTANCE instance, int id);

// The faces the window's fonts come from: 宋体 and 黑体 where Windows has
// them (every Chinese Windows), elsewhere the subsets embedded in the .exe,
// registered for this process only.
class DesignFaces {
 public:
  DesignFaces() = default;
  DesignFaces(const DesignFaces&) = delete;
  DesignFaces& operator=(const DesignFaces&) = delete;
  ~DesignFaces();

  // Finds or registers the faces of these designs.
  void Load(HINSTANCE instance, std::initializer_list<ui::FontFace> designs);
  // A font of the design at `dpi` dots per inch; the caller owns it.
  HFONT Create(const ui::FontStyle& style, UINT dpi) const;

 private:
  struct Face {
    std::wstring family;
    BYTE charset = DEFAULT_CHARSET;
    HANDLE embedded = nullptr;
  };
  static std::size_t Index(ui::FontFace face) { return static_cast<std::size_t>(face); }
  std::array<Face, 2> faces_;
};

// The window's picture, loaded once from the embedded bitmap (no picture
// decoder needed) and drawn scaled to whatever rectangle the picture control
// has at the current DPI.
class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  bool Load(HINSTANCE instance, int id);
  void Draw(HDC dc, const RECT& target) const;

 private:
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
};

}  // namespace lumivar::win32

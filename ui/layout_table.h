#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "logic/forecast_fields.h"
#include "ui/commands.h"

namespace lumivar::ui {

enum class ControlKind { Window, Frame, EditBox, Button, Picture };

// The two design faces; a window asks for them by their Chinese names.
enum class FontFace { Song, Hei };

// Every face of the window is bold and asks for the GB2312 character set.
struct FontStyle {
  FontFace face;
  double point_size;
};

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

struct Colours {
  Rgb text;    // caption text for the window and frames, text for edit boxes
  Rgb ground;  // background
};

// A rectangle in pixels at 96 DPI: left, top, width, height.
struct Rect {
  int left;
  int top;
  int width;
  int height;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The design gives positions in twips; 15 twips make one pixel at 96 DPI.
inline constexpr int kTwipsPerPixel = 15;
constexpr Rect FromTwips(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

// One control of the window. Geometry is relative to the parent's top-left
// corner; for the window itself it is the client area.
struct ControlRow {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // empty for the window itself
  Rect geometry;
  std::optional<Colours> colours;  // none: the platform's own colours
  std::optional<FontStyle> font;   // none: the window's font
  std::optional<int> entry_limit;  // most UTF-16 units the user may type or paste
  bool masked;                     // shows one '*' per UTF-16 unit
  bool enabled;                    // a disabled box never takes the focus
  std::optional<int> tab_index;    // design tab position; frames have one too
  std::u16string_view caption;     // title, frame or button caption, or the box's text at start
  std::u16string_view accessible_name;  // what a screen reader announces
  std::string_view resource;            // the icon of the window, the image of a picture
};

// The character a masked box shows for each unit of its text.
inline constexpr char16_t kMaskCharacter = u'*';

// What a screen reader hears of a masked box besides its name: that it is
// hidden, never what it holds.
inline constexpr std::u16string_view kHiddenDescription = u"已隐藏";

// The face every window carries for a design face, for machines without it:
// the family name it registers under, and its file under resources/ without
// the extension (.otf on the desktop, .woff2 in the page).
struct BundledFace {
  std::u16string_view family;
  std::string_view file;
};
BundledFace Bundled(FontFace face);

// Every control of the window, the window first, parents before children.
std::span<const ControlRow> ControlTable();

// The window's own row: title, client size, colours, font and icon.
const ControlRow& WindowRow();

// The control of that name, if there is one.
const ControlRow* FindControl(std::string_view name);

// A control's rectangle in the window's client area: the table places the
// boxes inside their frames, and the frames inside the window.
Rect WindowRect(const ControlRow& row);

// The controls that take the keyboard focus, in tab order.
std::span<const ControlRow* const> TabStops();

// The field an edit box holds; none for the other controls.
std::optional<FieldId> FieldOf(const ControlRow& row);

// The command of a button; none for the other controls.
std::optional<Command> CommandOf(const ControlRow& row);

// The family name a window asks for: "宋体" or "黑体".
std::u16string_view FamilyName(FontFace face);

// The same family's name on an English system: "SimSun" or "SimHei".
std::u16string_view EnglishFamilyName(FontFace face);

}  // namespace lumivar::ui

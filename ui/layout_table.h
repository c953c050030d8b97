#pragma once

#include <QRect>
#include <QRgb>
#include <QStringView>

#include <optional>
#include <span>
#include <string_view>

namespace lumivar::ui {

enum class ControlKind { Window, Frame, EditBox, Button, Picture };

// The two design faces; the window asks for them by their Chinese names.
enum class FontFace { Song, Hei };

struct FontStyle {
  FontFace face;
  double point_size;  // always bold
};

struct Colours {
  QRgb text;    // caption text for the window and frames, text for edit boxes
  QRgb ground;  // background
};

inline constexpr int kNoLimit = 0;
inline constexpr int kNoTabStop = -1;

// One control of the window. Geometry is in logical pixels relative to the
// parent's top-left corner (for the window itself only the size counts).
struct ControlRow {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // empty for the window itself
  QRect geometry;
  std::optional<Colours> colours;  // none: the platform's own colours
  std::optional<FontStyle> font;   // none: inherited from the parent
  int entry_limit;                 // most characters the user may type or paste
  bool masked;                     // shows one '*' per character
  bool enabled;                    // a disabled box never takes the focus
  int tab_index;                   // design tab position; frames have one too
  QStringView caption;             // title, frame or button caption, or the box's text at start
  QStringView accessible_name;     // what a screen reader announces: zone caption and meaning
};

// Every control of the window, parents before their children.
std::span<const ControlRow> ControlTable();

// The control of that name; nullptr when there is none.
const ControlRow* FindControl(std::string_view name);

// The family name the window asks for: "宋体" or "黑体".
QStringView FamilyName(FontFace face);

}  // namespace lumivar::ui

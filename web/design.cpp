#include "web/design.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/layout_table.h"
#include "web/json.h"
#include "web/texts.h"

namespace lumivar::web {
namespace {

using ui::ControlKind;
using ui::ControlRow;

// The faces the page carries, asked for after the design face of the same
// kind, as the desktop windows do.
constexpr std::array kFaces = {ui::FontFace::Song, ui::FontFace::Hei};

Text Ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

Text Number(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%g", value);
  return Ascii(text.data());
}

Text Colour(ui::Rgb rgb) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%06X", static_cast<unsigned>(rgb));
  return JsonString(Ascii(text.data()));
}

std::u16string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Window:
      return u"window";
    case ControlKind::Frame:
      return u"frame";
    case ControlKind::EditBox:
      return u"box";
    case ControlKind::Button:
      return u"button";
    case ControlKind::Picture:
      return u"picture";
  }
  return u"";
}

// A JSON array built value by value.
class Array {
 public:
  Array& Add(const Text& json) {
    if (text_.size() > 1) text_ += u',';
    text_ += json;
    return *this;
  }
  Text Close() const { return text_ + u"]"; }

 private:
  Text text_ = u"[";
};

Text List(std::initializer_list<Text> values) {
  Array array;
  for (const Text& value : values) array.Add(value);
  return array.Close();
}

// A JSON object built member by member.
class Object {
 public:
  Object& Add(std::u16string_view key, const Text& json) {
    if (text_.size() > 1) text_ += u',';
    text_ += JsonString(key);
    text_ += u':';
    text_ += json;
    return *this;
  }
  Text Close() const { return text_ + u"}"; }

 private:
  Text text_ = u"{";
};

bool IsDrawInput(FieldId id) {
  return std::find(kDrawFields.begin(), kDrawFields.end(), id) != kDrawFields.end();
}

// The place of a control in the focus order, or -1 when it never takes it.
int FocusOrder(const ControlRow& row) {
  const auto stops = ui::TabStops();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    if (stops[i] == &row) return static_cast<int>(i);
  }
  return -1;
}

Text FontJson(const ui::FontStyle& font) {
  return Object()
      .Add(u"families",
           List({JsonString(ui::FamilyName(font.face)), JsonString(ui::Bundled(font.face).family)}))
      .Add(u"points", Number(font.point_size))
      .Close();
}

Text RowJson(const ControlRow& row) {
  const ui::Rect& r = row.geometry;
  const ui::Rect w = ui::WindowRect(row);
  Object object;
  object.Add(u"name", JsonString(Ascii(row.name)))
      .Add(u"kind", JsonString(KindName(row.kind)))
      .Add(u"parent", JsonString(Ascii(row.parent)))
      .Add(u"rect", List({Number(r.left), Number(r.top), Number(r.width), Number(r.height)}))
      .Add(u"windowRect", List({Number(w.left), Number(w.top), Number(w.width), Number(w.height)}))
      .Add(u"masked", row.masked ? u"true" : u"false")
      .Add(u"enabled", row.enabled ? u"true" : u"false")
      .Add(u"focusOrder", Number(FocusOrder(row)))
      .Add(u"caption", JsonString(row.caption))
      .Add(u"label", JsonString(row.accessible_name))
      .Add(u"resource", JsonString(Ascii(row.resource)));
  if (row.colours)
    object.Add(u"text", Colour(row.colours->text)).Add(u"ground", Colour(row.colours->ground));
  if (row.font) object.Add(u"font", FontJson(*row.font));
  if (row.entry_limit) object.Add(u"limit", Number(*row.entry_limit));
  if (const auto field = ui::FieldOf(row)) {
    object.Add(u"field", Number(static_cast<double>(FieldIndex(*field))));
    // The three digits of a draw: a phone offers its number pad there.
    if (IsDrawInput(*field)) object.Add(u"numeric", u"true");
  }
  if (const auto command = ui::CommandOf(row)) {
    object.Add(u"command", Number(static_cast<int>(*command)));
  }
  return object.Close();
}

Text NoticeJson() {
  return Object()
      .Add(u"what", JsonString(kNoticeWhat))
      .Add(u"noScript", JsonString(kNoticeNoScript))
      .Add(u"tooOld", JsonString(kNoticeTooOld))
      .Add(u"computer", JsonString(kNoticeComputer))
      .Add(u"iphone", JsonString(kNoticeIphone))
      .Add(u"iphoneAt", JsonString(kNoticeIphoneAt))
      .Close();
}

Text FacesJson() {
  Array faces;
  for (const ui::FontFace face : kFaces) {
    faces.Add(Object()
                  .Add(u"family", JsonString(ui::Bundled(face).family))
                  .Add(u"resource", JsonString(Ascii(ui::Bundled(face).file) + u".woff2"))
                  .Close());
  }
  return faces.Close();
}

}  // namespace

Text DesignJson() {
  Array controls;
  for (const ControlRow& row : ui::ControlTable()) controls.Add(RowJson(row));
  return Object()
      .Add(u"controls", controls.Close())
      .Add(u"faces", FacesJson())
      .Add(u"mask", JsonString(std::u16string_view(&ui::kMaskCharacter, 1)))
      .Add(u"hidden", JsonString(ui::kHiddenDescription))
      .Add(u"ended", JsonString(kEndedText))
      .Add(u"restart", JsonString(kRestartText))
      .Add(u"notice", NoticeJson())
      .Close();
}

}  // namespace lumivar::web

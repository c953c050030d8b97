#include "ui/layout_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "ui/version.h"

namespace lumivar::ui {
namespace {

using enum ControlKind;

constexpr Rgb kNavy = 0x000040;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kRed = 0xFF0000;
constexpr Rgb kOrange = 0xFF8000;
constexpr Rgb kGreen = 0x00FF00;
constexpr Rgb kLavender = 0x8080FF;
constexpr Rgb kCyan = 0x00FFFF;

constexpr Colours kCaptionColours{kWhite, kNavy};
constexpr Colours OnBlack(Rgb text) {
  return {text, kBlack};
}

constexpr FontStyle kSong9{FontFace::Song, 9.0};
constexpr FontStyle kSongDigit{FontFace::Song, 26.25};
constexpr FontStyle kHeiJoined{FontFace::Hei, 21.75};
constexpr FontStyle kSongBanker{FontFace::Song, 14.25};
constexpr FontStyle kSongBanner{FontFace::Song, 15.75};

constexpr std::nullopt_t kNone = std::nullopt;

// The title is the program's name followed by "V" and the version.
constexpr std::u16string_view kTitleStem = u"Lumivar直选条件预测V";
constexpr auto kTitleUnits = [] {
  std::array<char16_t, kTitleStem.size() + kShortVersion.size()> units{};
  std::copy(kShortVersion.begin(), kShortVersion.end(),
            std::copy(kTitleStem.begin(), kTitleStem.end(), units.begin()));
  return units;
}();
constexpr std::u16string_view kTitle(kTitleUnits.data(), kTitleUnits.size());

// Geometry in twips as designed; FromTwips gives the pixels.
// clang-format off
constexpr auto kControls = std::to_array<ControlRow>({
  // name        kind     parent    geometry (twips)                     colours             font         limit masked enabled tab   caption   accessible name   resource
  {"Form1",     Window,  "",       FromTwips(0, 0, 7350, 6510),         kCaptionColours,    kSong9,      kNone, false, true,  kNone, kTitle,   kTitle,           "icons/lumivar.png"},
  {"Frame1",    Frame,   "Form1",  FromTwips(120, 120, 4335, 1095),     kCaptionColours,    kNone,       kNone, false, true,  0,     u"输入区", u"输入区",         ""},
  {"Text1",     EditBox, "Frame1", FromTwips(120, 240, 975, 735),       OnBlack(kRed),      kSongDigit,  1,     false, true,  1,     u"",      u"输入区 百位",    ""},
  {"Text2",     EditBox, "Frame1", FromTwips(1680, 240, 975, 735),      OnBlack(kRed),      kSongDigit,  1,     false, true,  2,     u"",      u"输入区 十位",    ""},
  {"Text3",     EditBox, "Frame1", FromTwips(3240, 240, 975, 735),      OnBlack(kRed),      kSongDigit,  1,     false, true,  3,     u"",      u"输入区 个位",    ""},
  {"Frame2",    Frame,   "Form1",  FromTwips(120, 1320, 4335, 1815),    kCaptionColours,    kNone,       kNone, false, true,  4,     u"转换区", u"转换区",         ""},
  {"Text4",     EditBox, "Frame2", FromTwips(120, 240, 735, 735),       OnBlack(kOrange),   kSongDigit,  1,     true,  true,  5,     u"",      u"转换区 和值尾",  ""},
  {"Text5",     EditBox, "Frame2", FromTwips(960, 240, 735, 735),       OnBlack(kOrange),   kSongDigit,  1,     true,  true,  6,     u"",      u"转换区 最大数",  ""},
  {"Text6",     EditBox, "Frame2", FromTwips(1800, 240, 735, 735),      OnBlack(kOrange),   kSongDigit,  1,     true,  true,  7,     u"",      u"转换区 最小数",  ""},
  {"Text7",     EditBox, "Frame2", FromTwips(2640, 240, 735, 735),      OnBlack(kOrange),   kSongDigit,  1,     true,  true,  8,     u"",      u"转换区 跨度",    ""},
  {"Text8",     EditBox, "Frame2", FromTwips(3480, 240, 735, 735),      OnBlack(kOrange),   kSongDigit,  1,     true,  true,  9,     u"",      u"转换区 选择号",  ""},
  {"Text10",    EditBox, "Frame2", FromTwips(120, 1080, 4095, 495),     OnBlack(kOrange),   kHeiJoined,  kNone, true,  true,  14,    u"",      u"转换区 号码连写", ""},
  {"Frame3",    Frame,   "Form1",  FromTwips(120, 3240, 4335, 855),     kCaptionColours,    kNone,       kNone, false, true,  10,    u"胆码区", u"胆码区",         ""},
  {"Text11",    EditBox, "Frame3", FromTwips(120, 240, 4095, 405),      OnBlack(kWhite),    kSongBanker, kNone, false, true,  15,    u"",      u"胆码区 精准6胆",  ""},
  {"Frame4",    Frame,   "Form1",  FromTwips(120, 4200, 1215, 975),     kCaptionColours,    kNone,       kNone, false, true,  17,    u"杀合区", u"杀合区",         ""},
  {"Text9",     EditBox, "Frame4", FromTwips(120, 240, 975, 645),       OnBlack(kGreen),    kSongDigit,  1,     false, true,  18,    u"",      u"杀合区 杀合",    ""},
  {"Frame5",    Frame,   "Form1",  FromTwips(1680, 4200, 1215, 975),    kCaptionColours,    kNone,       kNone, false, true,  19,    u"杀跨区", u"杀跨区",         ""},
  {"Text13(0)", EditBox, "Frame5", FromTwips(120, 240, 975, 645),       OnBlack(kLavender), kSongDigit,  1,     false, true,  20,    u"",      u"杀跨区 杀跨",    ""},
  {"Frame6",    Frame,   "Form1",  FromTwips(3240, 4200, 1215, 975),    kCaptionColours,    kNone,       kNone, false, true,  21,    u"杀个位", u"杀个位",         ""},
  {"Text13(1)", EditBox, "Frame6", FromTwips(120, 240, 975, 645),       OnBlack(kCyan),     kSongDigit,  1,     false, true,  22,    u"",      u"杀个位",         ""},
  {"Text12",    EditBox, "Form1",  FromTwips(-240, 5880, 7695, 495),    OnBlack(kWhite),    kSongBanner, kNone, false, false, 16,    kBannerText, u"说明",        ""},
  {"Command1",  Button,  "Form1",  FromTwips(120, 5280, 2175, 495),     kNone,              kSong9,      kNone, false, true,  11,    u"开始预测", u"开始预测",     ""},
  {"Command2",  Button,  "Form1",  FromTwips(2520, 5280, 2295, 495),    kNone,              kSong9,      kNone, false, true,  12,    u"清除数据", u"清除数据",     ""},
  {"Command3",  Button,  "Form1",  FromTwips(5040, 5280, 2175, 495),    kNone,              kSong9,      kNone, false, true,  13,    u"退出系统", u"退出系统",     ""},
  {"Image1",    Picture, "Form1",  FromTwips(4560, 120, 2715, 4950),    kNone,              kNone,       kNone, false, true,  kNone, u"",      u"装饰图片",       "images/portrait.jpg"},
});
// clang-format on

constexpr bool TakesFocus(const ControlRow& row) {
  return (row.kind == EditBox || row.kind == Button) && row.enabled;
}

constexpr std::size_t kTabStopCount =
    static_cast<std::size_t>(std::count_if(kControls.begin(), kControls.end(), TakesFocus));

// Frames, the picture and the disabled banner hold tab positions too, but
// never take the focus, so they are left out of the chain.
constexpr auto kTabStops = [] {
  std::array<const ControlRow*, kTabStopCount> stops{};
  auto* next = stops.begin();
  for (const ControlRow& row : kControls) {
    if (TakesFocus(row)) *next++ = &row;
  }
  std::sort(stops.begin(), stops.end(),
            [](const ControlRow* a, const ControlRow* b) { return *a->tab_index < *b->tab_index; });
  return stops;
}();

}  // namespace

std::span<const ControlRow> ControlTable() {
  return kControls;
}

const ControlRow& WindowRow() {
  return kControls.front();
}

const ControlRow* FindControl(std::string_view name) {
  const auto* found = std::find_if(kControls.begin(), kControls.end(),
                                   [name](const ControlRow& row) { return row.name == name; });
  return found == kControls.end() ? nullptr : found;
}

Rect WindowRect(const ControlRow& row) {
  Rect rect = row.geometry;
  for (const ControlRow* parent = FindControl(row.parent);
       parent != nullptr && parent->kind != ControlKind::Window;
       parent = FindControl(parent->parent)) {
    rect.left += parent->geometry.left;
    rect.top += parent->geometry.top;
  }
  return rect;
}

std::span<const ControlRow* const> TabStops() {
  return kTabStops;
}

std::optional<FieldId> FieldOf(const ControlRow& row) {
  if (row.kind != EditBox) return std::nullopt;
  for (const FieldId id : kAllFields) {
    if (FieldName(id) == row.name) return id;
  }
  return std::nullopt;
}

std::optional<Command> CommandOf(const ControlRow& row) {
  static constexpr std::array<std::pair<std::string_view, Command>, kCommandCount> kCommands = {{
      {"Command1", Command::StartForecast},
      {"Command2", Command::ClearData},
      {"Command3", Command::ExitProgram},
  }};
  if (row.kind != Button) return std::nullopt;
  for (const auto& [name, command] : kCommands) {
    if (name == row.name) return command;
  }
  return std::nullopt;
}

std::u16string_view FamilyName(FontFace face) {
  return face == FontFace::Song ? u"宋体" : u"黑体";
}

std::u16string_view EnglishFamilyName(FontFace face) {
  return face == FontFace::Song ? u"SimSun" : u"SimHei";
}

BundledFace Bundled(FontFace face) {
  return face == FontFace::Song ? BundledFace{u"Lumivar Song", "fonts/LumivarSong-Bold"}
                                : BundledFace{u"Lumivar Hei", "fonts/LumivarHei-Bold"};
}

}  // namespace lumivar::ui

#include "ui/layout_table.h"

#include <algorithm>
#include <array>

#include "logic/forecast_fields.h"

namespace lumivar::ui {
namespace {

using enum ControlKind;

constexpr QRgb kNavy = 0x000040;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kOrange = 0xFF8000;
constexpr QRgb kGreen = 0x00FF00;
constexpr QRgb kLavender = 0x8080FF;
constexpr QRgb kCyan = 0x00FFFF;

constexpr Colours kCaptionColours{kWhite, kNavy};
constexpr Colours OnBlack(QRgb text) {
  return {text, kBlack};
}

constexpr FontStyle kSong9{FontFace::Song, 9.0};
constexpr FontStyle kSongDigit{FontFace::Song, 26.25};
constexpr FontStyle kHeiJoined{FontFace::Hei, 21.75};
constexpr FontStyle kSongBanker{FontFace::Song, 14.25};
constexpr FontStyle kSongBanner{FontFace::Song, 15.75};

constexpr QStringView kBanner(kBannerText.data(), static_cast<qsizetype>(kBannerText.size()));

// clang-format off
constexpr std::array<ControlRow, 25> kControls = {{
  // name        kind     parent    geometry (px)        colours            font          limit     masked enabled tab         caption  accessible name
  {"Form1",     Window,  "",       {0, 0, 490, 434},    kCaptionColours,   kSong9,       kNoLimit, false, true,  kNoTabStop, u"Lumivar直选条件预测V2.5", u"Lumivar直选条件预测V2.5"},
  {"Frame1",    Frame,   "Form1",  {8, 8, 289, 73},     kCaptionColours,   std::nullopt, kNoLimit, false, true,  0,          u"输入区", u"输入区"},
  {"Text1",     EditBox, "Frame1", {8, 16, 65, 49},     OnBlack(kRed),     kSongDigit,   1,        false, true,  1,          u"", u"输入区 百位"},
  {"Text2",     EditBox, "Frame1", {112, 16, 65, 49},   OnBlack(kRed),     kSongDigit,   1,        false, true,  2,          u"", u"输入区 十位"},
  {"Text3",     EditBox, "Frame1", {216, 16, 65, 49},   OnBlack(kRed),     kSongDigit,   1,        false, true,  3,          u"", u"输入区 个位"},
  {"Frame2",    Frame,   "Form1",  {8, 88, 289, 121},   kCaptionColours,   std::nullopt, kNoLimit, false, true,  4,          u"转换区", u"转换区"},
  {"Text4",     EditBox, "Frame2", {8, 16, 49, 49},     OnBlack(kOrange),  kSongDigit,   1,        true,  true,  5,          u"", u"转换区 和值尾"},
  {"Text5",     EditBox, "Frame2", {64, 16, 49, 49},    OnBlack(kOrange),  kSongDigit,   1,        true,  true,  6,          u"", u"转换区 最大数"},
  {"Text6",     EditBox, "Frame2", {120, 16, 49, 49},   OnBlack(kOrange),  kSongDigit,   1,        true,  true,  7,          u"", u"转换区 最小数"},
  {"Text7",     EditBox, "Frame2", {176, 16, 49, 49},   OnBlack(kOrange),  kSongDigit,   1,        true,  true,  8,          u"", u"转换区 跨度"},
  {"Text8",     EditBox, "Frame2", {232, 16, 49, 49},   OnBlack(kOrange),  kSongDigit,   1,        true,  true,  9,          u"", u"转换区 选择号"},
  {"Text10",    EditBox, "Frame2", {8, 72, 273, 33},    OnBlack(kOrange),  kHeiJoined,   kNoLimit, true,  true,  14,         u"", u"转换区 号码连写"},
  {"Frame3",    Frame,   "Form1",  {8, 216, 289, 57},   kCaptionColours,   std::nullopt, kNoLimit, false, true,  10,         u"胆码区", u"胆码区"},
  {"Text11",    EditBox, "Frame3", {8, 16, 273, 27},    OnBlack(kWhite),   kSongBanker,  kNoLimit, false, true,  15,         u"", u"胆码区 精准6胆"},
  {"Frame4",    Frame,   "Form1",  {8, 280, 81, 65},    kCaptionColours,   std::nullopt, kNoLimit, false, true,  17,         u"杀合区", u"杀合区"},
  {"Text9",     EditBox, "Frame4", {8, 16, 65, 43},     OnBlack(kGreen),   kSongDigit,   1,        false, true,  18,         u"", u"杀合区 杀合"},
  {"Frame5",    Frame,   "Form1",  {112, 280, 81, 65},  kCaptionColours,   std::nullopt, kNoLimit, false, true,  19,         u"杀跨区", u"杀跨区"},
  {"Text13(0)", EditBox, "Frame5", {8, 16, 65, 43},     OnBlack(kLavender), kSongDigit,  1,        false, true,  20,         u"", u"杀跨区 杀跨"},
  {"Frame6",    Frame,   "Form1",  {216, 280, 81, 65},  kCaptionColours,   std::nullopt, kNoLimit, false, true,  21,         u"杀个位", u"杀个位"},
  {"Text13(1)", EditBox, "Frame6", {8, 16, 65, 43},     OnBlack(kCyan),    kSongDigit,   1,        false, true,  22,         u"", u"杀个位"},
  {"Text12",    EditBox, "Form1",  {-16, 392, 513, 33}, OnBlack(kWhite),   kSongBanner,  kNoLimit, false, false, 16,         kBanner, u"说明"},
  {"Command1",  Button,  "Form1",  {8, 352, 145, 33},   std::nullopt,      kSong9,       kNoLimit, false, true,  11,         u"开始预测", u"开始预测"},
  {"Command2",  Button,  "Form1",  {168, 352, 153, 33}, std::nullopt,      kSong9,       kNoLimit, false, true,  12,         u"清除数据", u"清除数据"},
  {"Command3",  Button,  "Form1",  {336, 352, 145, 33}, std::nullopt,      kSong9,       kNoLimit, false, true,  13,         u"退出系统", u"退出系统"},
  {"Image1",    Picture, "Form1",  {304, 8, 181, 330},  std::nullopt,      std::nullopt, kNoLimit, false, true,  kNoTabStop, u"", u"装饰图片"},
}};
// clang-format on

}  // namespace

std::span<const ControlRow> ControlTable() {
  return kControls;
}

const ControlRow* FindControl(std::string_view name) {
  const auto* found = std::find_if(kControls.begin(), kControls.end(),
                                   [name](const ControlRow& row) { return row.name == name; });
  return found == kControls.end() ? nullptr : found;
}

QStringView FamilyName(FontFace face) {
  return face == FontFace::Song ? QStringView(u"宋体") : QStringView(u"黑体");
}

}  // namespace lumivar::ui

#include <QFontDatabase>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QRawFont>
#include <QTextLayout>

#include "logic/forecast.h"
#include "tests/ui/window_fixture.h"
#include "ui/layout_table.h"

namespace {

using namespace Qt::StringLiterals;

using lumivar::FieldId;
using lumivar::ui::FindControl;

constexpr QRgb kUnset = 0xFF000000;  // no colour of its own
constexpr QRgb kNavy = 0x000040;
constexpr QRgb kWhite = 0xFFFFFF;

// The window as designed, written out independently of the layout table:
// geometry in twips, 15 twips to the pixel.
struct Designed {
  const char* name;
  const char* parent;
  QRect twips;
  QRgb text;
  QRgb ground;
  const char16_t* family;
  double points;
  int limit;  // 0: none
  bool masked;
};

// clang-format off
const Designed kDesign[] = {
  {"Frame1",    "Form1",  {120, 120, 4335, 1095},  kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Frame2",    "Form1",  {120, 1320, 4335, 1815}, kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Frame3",    "Form1",  {120, 3240, 4335, 855},  kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Frame4",    "Form1",  {120, 4200, 1215, 975},  kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Frame5",    "Form1",  {1680, 4200, 1215, 975}, kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Frame6",    "Form1",  {3240, 4200, 1215, 975}, kWhite,   kNavy,   nullptr, 0,     0, false},
  {"Text1",     "Frame1", {120, 240, 975, 735},    0xFF0000, 0,       u"宋体", 26.25, 1, false},
  {"Text2",     "Frame1", {1680, 240, 975, 735},   0xFF0000, 0,       u"宋体", 26.25, 1, false},
  {"Text3",     "Frame1", {3240, 240, 975, 735},   0xFF0000, 0,       u"宋体", 26.25, 1, false},
  {"Text4",     "Frame2", {120, 240, 735, 735},    0xFF8000, 0,       u"宋体", 26.25, 1, true},
  {"Text5",     "Frame2", {960, 240, 735, 735},    0xFF8000, 0,       u"宋体", 26.25, 1, true},
  {"Text6",     "Frame2", {1800, 240, 735, 735},   0xFF8000, 0,       u"宋体", 26.25, 1, true},
  {"Text7",     "Frame2", {2640, 240, 735, 735},   0xFF8000, 0,       u"宋体", 26.25, 1, true},
  {"Text8",     "Frame2", {3480, 240, 735, 735},   0xFF8000, 0,       u"宋体", 26.25, 1, true},
  {"Text10",    "Frame2", {120, 1080, 4095, 495},  0xFF8000, 0,       u"黑体", 21.75, 0, true},
  {"Text11",    "Frame3", {120, 240, 4095, 405},   0xFFFFFF, 0,       u"宋体", 14.25, 0, false},
  {"Text9",     "Frame4", {120, 240, 975, 645},    0x00FF00, 0,       u"宋体", 26.25, 1, false},
  {"Text13(0)", "Frame5", {120, 240, 975, 645},    0x8080FF, 0,       u"宋体", 26.25, 1, false},
  {"Text13(1)", "Frame6", {120, 240, 975, 645},    0x00FFFF, 0,       u"宋体", 26.25, 1, false},
  {"Text12",    "Form1",  {-240, 5880, 7695, 495}, 0xFFFFFF, 0,       u"宋体", 15.75, 0, false},
  {"Command1",  "Form1",  {120, 5280, 2175, 495},  kUnset,   kUnset,  u"宋体", 9,     0, false},
  {"Command2",  "Form1",  {2520, 5280, 2295, 495}, kUnset,   kUnset,  u"宋体", 9,     0, false},
  {"Command3",  "Form1",  {5040, 5280, 2175, 495}, kUnset,   kUnset,  u"宋体", 9,     0, false},
  {"Image1",    "Form1",  {4560, 120, 2715, 4950}, kUnset,   kUnset,  nullptr, 0,     0, false},
};
// clang-format on

QRect Pixels(const QRect& twips) {
  return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

void ExpectColour(const QWidget* widget, QPalette::ColorRole role, QRgb expected) {
  if (expected == kUnset) return;
  EXPECT_EQ(widget->palette().color(role), QColor(expected)) << "role " << role;
}

TEST_F(WindowTest, EveryControlHasItsDesignedPlaceColoursFontLimitAndMask) {
  for (const Designed& designed : kDesign) {
    SCOPED_TRACE(designed.name);
    QWidget* widget = Control(designed.name);
    const auto* row = FindControl(designed.name);
    ASSERT_TRUE(widget && row);
    EXPECT_EQ(widget->parentWidget()->objectName(), designed.parent);
    EXPECT_EQ(widget->geometry(), Pixels(designed.twips));
    EXPECT_EQ(row->geometry, Pixels(designed.twips));
    EXPECT_EQ(row->entry_limit, designed.limit);
    EXPECT_EQ(row->masked, designed.masked);
    if (designed.family) {
      EXPECT_EQ(widget->font().family(), QString::fromUtf16(designed.family));
      EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), designed.points);
      EXPECT_TRUE(widget->font().bold());
    }
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
      ExpectColour(box, QPalette::Base, designed.ground);
      ExpectColour(box, QPalette::Text, designed.text);
      EXPECT_EQ(box->alignment(), Qt::AlignCenter);
      EXPECT_EQ(box->echoMode(), designed.masked ? QLineEdit::Password : QLineEdit::Normal);
    } else {
      ExpectColour(widget, QPalette::Window, designed.ground);
      ExpectColour(widget, QPalette::WindowText, designed.text);
    }
  }
}

TEST_F(WindowTest, TableNamesExactlyTheWindowsControls) {
  QStringList named;
  for (const QWidget* widget : form_.findChildren<QWidget*>()) named << widget->objectName();
  named.sort();
  QStringList designed;
  for (const Designed& control : kDesign) designed << control.name;
  designed.sort();
  EXPECT_EQ(named, designed);
  EXPECT_EQ(lumivar::ui::ControlTable().size(), std::size(kDesign) + 1);  // and Form1
}

TEST_F(WindowTest, WindowHasTitleFixedSizeNavyGroundIconAndPicture) {
  EXPECT_EQ(form_.objectName(), "Form1");
  EXPECT_EQ(form_.windowTitle(), QString::fromUtf16(u"Lumivar直选条件预测V2.5"));
  EXPECT_EQ(form_.size(), QSize(490, 434));
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  ExpectColour(&form_, QPalette::Window, kNavy);
  EXPECT_TRUE(form_.windowIcon().availableSizes().contains(QSize(32, 32)));
  const auto* picture = Control<QLabel>("Image1");
  EXPECT_EQ(picture->pixmap().size(), QSize(181, 330));
  EXPECT_FALSE(picture->hasScaledContents());
  const QStringList captions = {u"输入区"_s, u"转换区"_s, u"胆码区"_s,
                                u"杀合区"_s, u"杀跨区"_s, u"杀个位"_s};
  for (int i = 0; i < captions.size(); ++i) {
    EXPECT_EQ(Control<QGroupBox>(QString("Frame%1").arg(i + 1))->title(), captions[i]);
  }
}

// The face that actually draws each control (not a fallback) has a glyph
// for every character the control can show, whatever fonts the machine has.
TEST_F(WindowTest, DrawingFacesHoldEveryCharacterShown) {
  QString banker_lines;
  for (const auto& entry : lumivar::BankerTable)
    banker_lines += QString::fromStdU16String(std::u16string(entry.line));
  const QString digits = "0123456789-*";
  const std::pair<const char*, QString> shown[] = {
      {"Form1", u"输入区转换区胆码区杀合区杀跨区杀个位"_s},
      {"Command1", u"开始预测清除数据退出系统"_s},
      {"Text1", digits},
      {"Text10", digits},
      {"Text11", banker_lines},
      {"Text12", QString::fromStdU16String(std::u16string(lumivar::kBannerText))},
  };
  for (const auto& [name, text] : shown) {
    SCOPED_TRACE(name);
    const QRawFont face = QRawFont::fromFont(Control(name)->font());
    for (const QChar c : text) EXPECT_TRUE(face.supportsCharacter(c)) << QString(c).toStdString();
  }
}

// A Chinese character the bundled faces lack, typed by the user, is drawn
// from a system font that has it rather than as an empty box.
TEST_F(WindowTest, CharactersBeyondTheBundledFacesComeFromASystemFont) {
  const QString typed = u"鑫"_s;
  if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) {
    GTEST_SKIP() << "no Chinese font on this system";
  }
  for (const char* name : {"Text1", "Text10"}) {
    SCOPED_TRACE(name);
    const QFont font = Control(name)->font();
    ASSERT_FALSE(QRawFont::fromFont(font).supportsCharacter(typed.at(0)));
    QTextLayout layout(typed, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_NE(runs.first().rawFont().familyName(), font.family());
    EXPECT_TRUE(runs.first().rawFont().supportsCharacter(typed.at(0)));
  }
}

TEST_F(WindowTest, StartsEmptyWithBannerShownAndFocusInText1) {
  for (const FieldId id : lumivar::kAllFields) {
    EXPECT_EQ(form_.Fields().Get(id), id == FieldId::Text12 ? lumivar::kBannerText : u"");
  }
  EXPECT_EQ(FocusName(), "Text1");
  QLineEdit* banner = Box(FieldId::Text12);
  EXPECT_FALSE(banner->isEnabled());
  QTest::mouseClick(banner, Qt::LeftButton);
  EXPECT_EQ(FocusName(), "Text1");
}

TEST_F(WindowTest, TabAndBacktabWalkTheDesignedOrder) {
  const QStringList order = {"Text1",  "Text2", "Text3",     "Text4",     "Text5",    "Text6",
                             "Text7",  "Text8", "Command1",  "Command2",  "Command3", "Text10",
                             "Text11", "Text9", "Text13(0)", "Text13(1)", "Text1"};
  QStringList forward = {FocusName()};
  for (int i = 1; i < order.size(); ++i) {
    PressAtFocus(Qt::Key_Tab);
    forward << FocusName();
  }
  EXPECT_EQ(forward, order);
  QStringList backward = {FocusName()};
  for (int i = 1; i < order.size(); ++i) {
    PressAtFocus(Qt::Key_Backtab, Qt::ShiftModifier);
    backward.prepend(FocusName());
  }
  EXPECT_EQ(backward, order);
}

}  // namespace

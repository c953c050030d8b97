#include <QAccessible>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QRawFont>
#include <QTextLayout>

#include "logic/forecast.h"
#include "tests/ui/window_fixture.h"
#include "ui/layout_table.h"
#include "ui/qt/controls.h"
#include "ui/version.h"

namespace {

using namespace Qt::StringLiterals;

using lumivar::FieldId;

using lumivar::ui::ControlKind;
using lumivar::ui::ControlRow;
using lumivar::ui::ControlTable;
using lumivar::ui::ToQColor;
using lumivar::ui::ToQRect;
using lumivar::ui::ToQString;

// Every window builds from the layout table; this one must show each row as
// it stands: parent, place, colours, font, entry limit, mask, state, and
// the name a screen reader announces.
TEST_F(WindowTest, EveryControlStandsAsItsTableRowSays) {
  for (const ControlRow& row : ControlTable()) {
    SCOPED_TRACE(std::string(row.name));
    QWidget* widget = Control(ToQString(row.name));
    ASSERT_TRUE(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), ToQString(row.accessible_name));
    if (row.kind == ControlKind::Window) continue;
    EXPECT_EQ(widget->parentWidget()->objectName(), ToQString(row.parent));
    EXPECT_EQ(widget->geometry(), ToQRect(row.geometry));
    EXPECT_EQ(widget->isEnabled(), row.enabled);
    if (row.font) {
      EXPECT_EQ(widget->font().family(), ToQString(lumivar::ui::FamilyName(row.font->face)));
      EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), row.font->point_size);
      EXPECT_TRUE(widget->font().bold());
    }
    auto* box = qobject_cast<QLineEdit*>(widget);
    EXPECT_EQ(box != nullptr, row.kind == ControlKind::EditBox);
    if (box) {
      EXPECT_EQ(box->palette().color(QPalette::Base), ToQColor(row.colours->ground));
      EXPECT_EQ(box->palette().color(QPalette::Text), ToQColor(row.colours->text));
      EXPECT_EQ(box->alignment(), Qt::AlignCenter);
      EXPECT_EQ(box->echoMode(), row.masked ? QLineEdit::Password : QLineEdit::Normal);
      EXPECT_EQ(box->validator() != nullptr, row.entry_limit.has_value());
    } else if (row.colours) {
      EXPECT_EQ(widget->palette().color(QPalette::Window), ToQColor(row.colours->ground));
      EXPECT_EQ(widget->palette().color(QPalette::WindowText), ToQColor(row.colours->text));
    }
  }
}

TEST_F(WindowTest, TableNamesExactlyTheWindowsControls) {
  QStringList named{form_.objectName()};
  for (const QWidget* widget : form_.findChildren<QWidget*>()) named << widget->objectName();
  named.sort();
  QStringList designed;
  for (const ControlRow& row : ControlTable()) designed << ToQString(row.name);
  designed.sort();
  EXPECT_EQ(named, designed);
}

TEST_F(WindowTest, WindowHasTitleFixedSizeNavyGroundIconAndPicture) {
  EXPECT_EQ(form_.objectName(), "Form1");
  EXPECT_EQ(form_.windowTitle(), u"Lumivar直选条件预测V"_s + ToQString(lumivar::kShortVersion));
  EXPECT_EQ(form_.accessibleName(), form_.windowTitle());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&form_)->role(), QAccessible::Window);
  EXPECT_EQ(form_.size(), QSize(490, 434));
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  EXPECT_EQ(form_.palette().color(QPalette::Window), QColor(0x000040));
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
// from a system font that has it rather than as an empty box. Run with a
// font setup that holds one Chinese system font.
class SystemFonts : public WindowTest {};

TEST_F(SystemFonts, DrawWhatTheBundledFacesLack) {
  const QString typed = u"鑫"_s;
  ASSERT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
      << "this test's font setup holds no Chinese font";
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

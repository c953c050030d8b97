#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleTextInterface>

#include <iterator>

#include "logic/forecast.h"
#include "tests/ui/window_fixture.h"

namespace {

using lumivar::FieldId;

// What a screen reader announces for each control, written out here rather
// than read from the layout table: the caption of the zone, then what the
// control holds.
struct Announced {
  const char* control;
  const char16_t* name;
  bool masked;
};

// clang-format off
const Announced kAnnounced[] = {
  {"Form1",     nullptr,             false},  // its title
  {"Frame1",    u"输入区",           false},
  {"Text1",     u"输入区 百位",      false},
  {"Text2",     u"输入区 十位",      false},
  {"Text3",     u"输入区 个位",      false},
  {"Frame2",    u"转换区",           false},
  {"Text4",     u"转换区 和值尾",    true},
  {"Text5",     u"转换区 最大数",    true},
  {"Text6",     u"转换区 最小数",    true},
  {"Text7",     u"转换区 跨度",      true},
  {"Text8",     u"转换区 选择号",    true},
  {"Text10",    u"转换区 号码连写",  true},
  {"Frame3",    u"胆码区",           false},
  {"Text11",    u"胆码区 精准6胆",   false},
  {"Frame4",    u"杀合区",           false},
  {"Text9",     u"杀合区 杀合",      false},
  {"Frame5",    u"杀跨区",           false},
  {"Text13(0)", u"杀跨区 杀跨",      false},
  {"Frame6",    u"杀个位",           false},
  {"Text13(1)", u"杀个位",           false},
  {"Text12",    u"说明",             false},
  {"Command1",  u"开始预测",         false},
  {"Command2",  u"清除数据",         false},
  {"Command3",  u"退出系统",         false},
  {"Image1",    u"装饰图片",         false},
};
// clang-format on

class AccessibleNamesTest : public WindowTest {
 protected:
  // The interface a screen reader gets for the control; owned by Qt.
  QAccessibleInterface* Accessible(const char* control) {
    return QAccessible::queryAccessibleInterface(Control(control));
  }

  // The inputs 4, 1, 0 give every result box a text of its own.
  void RunForecastOn410() {
    Retype(FieldId::Text1, "4");
    Retype(FieldId::Text2, "1");
    Retype(FieldId::Text3, "0");
    Click("Command1");
  }
};

TEST_F(AccessibleNamesTest, EveryControlIsAnnouncedByItsZoneAndMeaning) {
  for (const Announced& announced : kAnnounced) {
    SCOPED_TRACE(announced.control);
    QAccessibleInterface* accessible = Accessible(announced.control);
    ASSERT_NE(accessible, nullptr);
    const QString expected =
        announced.name ? QString::fromUtf16(announced.name) : form_.windowTitle();
    EXPECT_EQ(accessible->text(QAccessible::Name), expected);
  }
}

TEST_F(AccessibleNamesTest, NoChildWidgetIsLeftWithoutAName) {
  const QList<QWidget*> children = form_.findChildren<QWidget*>();
  ASSERT_FALSE(children.isEmpty());
  for (const QWidget* child : children) {
    SCOPED_TRACE(child->objectName().toStdString());
    EXPECT_FALSE(child->accessibleName().isEmpty());
  }
  EXPECT_EQ(children.size() + 1, static_cast<qsizetype>(std::size(kAnnounced)));
}

TEST_F(AccessibleNamesTest, MaskedBoxesSayTheyAreHiddenAndNeverTellTheirText) {
  RunForecastOn410();
  for (const Announced& announced : kAnnounced) {
    auto* box = form_.findChild<QLineEdit*>(announced.control);
    if (box == nullptr) continue;
    SCOPED_TRACE(announced.control);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(accessible, nullptr);
    const QString held = box->text();
    const QString value = accessible->text(QAccessible::Value);
    QAccessibleTextInterface* text = accessible->textInterface();
    const QString read_out = text ? text->text(0, text->characterCount()) : QString();
    if (announced.masked) {
      ASSERT_FALSE(held.isEmpty()) << "the forecast left the box empty";
      EXPECT_EQ(accessible->text(QAccessible::Description), QString::fromUtf16(u"已隐藏"));
      EXPECT_TRUE(accessible->state().passwordEdit);
      EXPECT_FALSE(value.contains(held));
      EXPECT_FALSE(read_out.contains(held));
      EXPECT_FALSE(accessible->text(QAccessible::Name).contains(held));
    } else {
      EXPECT_TRUE(accessible->text(QAccessible::Description).isEmpty());
      EXPECT_EQ(value, held);  // the plain results are read out as shown
    }
  }
}

}  // namespace

#include <QSignalSpy>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "logic/forecast.h"
#include "tests/ui/window_fixture.h"

namespace {

using lumivar::FieldId;
using lumivar::ForecastFields;
using enum lumivar::FieldId;

TEST_F(WindowTest, TypicalUseShowsTheCoresForecastAndClearEmptiesIt) {
  TypeAtFocus("1");
  EXPECT_EQ(FocusName(), "Text2");
  TypeAtFocus("2");
  EXPECT_EQ(FocusName(), "Text3");
  TypeAtFocus("3");
  EXPECT_EQ(FocusName(), "Text3");
  Click("Command1");
  EXPECT_EQ(FocusName(), "Command1");

  ForecastFields core;
  core.Set(Text1, u"1");
  core.Set(Text2, u"2");
  core.Set(Text3, u"3");
  lumivar::StartForecast(core);
  EXPECT_FALSE(core.Get(Text11).empty());  // the draw has a banker line
  for (const FieldId id : lumivar::kAllFields) {
    EXPECT_EQ(form_.Fields().Get(id), core.Get(id)) << lumivar::FieldName(id);
  }

  Click("Command2");
  EXPECT_EQ(FocusName(), "Command2");
  for (const FieldId id : lumivar::kAllFields) {
    EXPECT_EQ(form_.Fields().Get(id), ForecastFields().Get(id)) << lumivar::FieldName(id);
  }
}

TEST_F(WindowTest, FocusAdvancesOnlyOnOneCharacterInText1OrText2) {
  const struct {
    const char* what;
    FieldId box;
    const char* keys;
    Qt::Key then;  // Qt::Key_unknown: nothing more
    const char* focus;
  } cases[] = {
      {"digit in Text1", Text1, "4", Qt::Key_unknown, "Text2"},
      {"digit in Text2", Text2, "4", Qt::Key_unknown, "Text3"},
      {"digit in Text3", Text3, "4", Qt::Key_unknown, "Text3"},
      {"deleting in Text1", Text1, "", Qt::Key_Backspace, "Text1"},
      {"deleting in Text2", Text2, "", Qt::Key_Backspace, "Text2"},
      {"second digit refused", Text1, "", Qt::Key_5, "Text1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form_.Fields().Set(c.box, u"7");
    QTest::mouseClick(Box(c.box), Qt::LeftButton);
    PressAtFocus(Qt::Key_End);
    if (*c.keys) {
      PressAtFocus(Qt::Key_A, Qt::ControlModifier);  // typing over the character
    }
    TypeAtFocus(c.keys);
    if (c.then != Qt::Key_unknown) PressAtFocus(c.then);
    EXPECT_EQ(FocusName(), c.focus);
  }
  form_.Fields().Set(Text1, u"9");  // a program write raises the change too
  EXPECT_EQ(FocusName(), "Text2");
}

TEST_F(WindowTest, EnterAndEscapePressNoButton) {
  std::vector<std::unique_ptr<QSignalSpy>> clicks;
  for (const char* name : {"Command1", "Command2", "Command3"}) {
    auto* button = Control<QPushButton>(name);
    EXPECT_FALSE(button->isDefault() || button->autoDefault());
    clicks.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
  }
  for (const char* name : {"Text1", "Text4", "Text11", "Command1", "Command2", "Command3"}) {
    Control(name)->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) PressAtFocus(key);
  }
  for (const auto& spy : clicks) EXPECT_EQ(spy->count(), 0);
  EXPECT_EQ(Text(Text11), "");
}

// Both ways out end the event loop with status 0. A late timer only keeps a
// broken build from hanging the test run.
int RunEventLoopAfter(const std::function<void()>& action) {
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  guard.start(60'000);
  QTimer::singleShot(0, action);
  return QApplication::exec();
}

TEST_F(WindowTest, ExitButtonEndsTheProgramWithStatusZero) {
  EXPECT_EQ(RunEventLoopAfter([this] { Click("Command3"); }), 0);
}

TEST_F(WindowTest, ClosingTheWindowEndsTheProgram) {
  EXPECT_EQ(RunEventLoopAfter([this] { form_.close(); }), 0);
}

}  // namespace

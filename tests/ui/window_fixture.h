#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "logic/forecast_fields.h"
#include "ui/qt/main_window.h"

// Types `keys` into the widget. A character without a key of its own
// (Chinese, full-width, an emoji) comes as one key event carrying its text,
// as an input method sends it.
inline void TypeInto(QWidget* widget, const QString& keys) {
  for (qsizetype i = 0; i < keys.size(); ++i) {
    const bool pair = keys[i].isHighSurrogate() && i + 1 < keys.size();
    const QString character = keys.mid(i, pair ? 2 : 1);
    if (pair) ++i;
    if (character[0].unicode() < 0x80) {
      QTest::keyClick(widget, character[0].toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }
  }
}

// A shown, active Form1 and what a user does to it, one helper per action.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  template <class Widget = QWidget>
  Widget* Control(const QString& name) {
    auto* widget = name == "Form1" ? qobject_cast<Widget*>(&form_) : form_.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << "no control " << name.toStdString();
    return widget;
  }

  QLineEdit* Box(lumivar::FieldId id) {
    return Control<QLineEdit>(QString::fromLatin1(lumivar::FieldName(id).data()));
  }

  void Click(const QString& button) {
    QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
  }

  // Keys go wherever the keyboard focus is, as they do for a user.
  void TypeAtFocus(const QString& keys) { TypeInto(QApplication::focusWidget(), keys); }

  void PressAtFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  // Clicks into the box, replaces what it holds by `keys`, focus moves included.
  void Retype(lumivar::FieldId id, const QString& keys) {
    QTest::mouseClick(Box(id), Qt::LeftButton);
    PressAtFocus(Qt::Key_A, Qt::ControlModifier);
    PressAtFocus(Qt::Key_Delete);
    TypeAtFocus(keys);
  }

  QString FocusName() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
  }

  QString Text(lumivar::FieldId id) { return QString::fromStdU16String(form_.Fields().Get(id)); }

  Form1 form_;
};

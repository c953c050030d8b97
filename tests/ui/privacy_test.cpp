// The masked boxes keep their values to themselves: no key, context menu or
// mouse drag takes their text out, and assistive technology is told no more
// than the stars on the screen. Each check is first shown to catch the text
// of a plain box, so that it cannot pass by looking in the wrong place.

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRawFont>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <array>
#include <vector>

#include "tests/ui/window_fixture.h"
#include "ui/layout_table.h"
#include "ui/qt/controls.h"

namespace {

using lumivar::FieldId;
using enum lumivar::FieldId;

std::vector<FieldId> MaskedBoxes() {
  std::vector<FieldId> boxes;
  for (const lumivar::ui::ControlRow& row : lumivar::ui::ControlTable()) {
    if (const auto field = lumivar::ui::FieldOf(row); field && row.masked) boxes.push_back(*field);
  }
  return boxes;
}
const std::vector<FieldId> kMaskedBoxes = MaskedBoxes();

// A value an operation may write into the box: longer than one character
// where it can be, so that a partial leak shows too.
const char16_t* SecretFor(FieldId id) {
  return id == Text10 ? u"8a5" : id == Text7 ? u"-3" : id == Text8 ? u"12" : u"7";
}

// An action of a context menu: its caption without accelerator and
// shortcut, whether it is enabled, and whether the menu's face draws it.
struct MenuAction {
  QString caption;
  bool enabled;
  bool drawable;
};

class PrivacyTest : public WindowTest {
 protected:
  // Leaves `secret` in the box, selected whole, with the focus on it.
  QLineEdit* HoldSelected(FieldId id, const char16_t* secret) {
    form_.Fields().Set(id, secret);
    QLineEdit* box = Box(id);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    return box;
  }

  // The text a mouse drag out of the box would carry, or "" when no drag
  // starts. The press lands on the selected text and the mouse then moves
  // well past the drag distance with the button held, as a user drags.
  // A drag that runs a modal loop is cancelled from inside it.
  QString DraggedText(QLineEdit* box) {
    QString carried;
    QList<const QDrag*> read;
    const auto read_drags = [&] {
      for (const QDrag* drag : box->findChildren<QDrag*>()) {
        if (drag->mimeData() != nullptr && !read.contains(drag)) {
          carried += drag->mimeData()->text();
          read << drag;
        }
      }
    };
    QTimer::singleShot(0, box, [&] {
      read_drags();
      QDrag::cancel();
    });
    const QPoint press = box->rect().center();
    const QPoint away = press + QPoint(0, 3 * QApplication::startDragDistance() + box->height());
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, press);
    for (const QPoint at : {press + QPoint(1, 1), away}) {
      QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(box, &move);
    }
    read_drags();  // a drag that did not block is deleted only later
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, away);
    QCoreApplication::processEvents();
    return carried;
  }

  // The box's own context menu as it opens ("复制", not "复制(&C)\tCtrl+C").
  QList<MenuAction> ContextMenu(QLineEdit* box) {
    QList<MenuAction> actions;
    bool opened = false;
    QTimer::singleShot(0, box, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        opened = true;
        const QRawFont face = QRawFont::fromFont(menu->font());
        for (const QAction* action : menu->actions()) {
          if (action->isSeparator()) continue;
          QString caption = action->text().section(u'\t', 0, 0);
          caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
          const bool drawable = std::all_of(caption.begin(), caption.end(),
                                            [&face](QChar c) { return face.supportsCharacter(c); });
          actions.push_back({caption, action->isEnabled(), drawable});
        }
        menu->close();
      }
    });
    const QPoint at = box->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
    QApplication::sendEvent(box, &event);
    QCoreApplication::processEvents();
    EXPECT_TRUE(opened) << "no context menu opened";
    return actions;
  }

  // Everything the accessibility interface says about the box's contents.
  static QStringList AccessibleTexts(QLineEdit* box) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    if (accessible == nullptr) return {"no accessible interface"};
    QStringList said;
    for (const auto kind : {QAccessible::Name, QAccessible::Description, QAccessible::Help,
                            QAccessible::Value, QAccessible::Accelerator}) {
      said << accessible->text(kind);
    }
    if (QAccessibleTextInterface* text = accessible->textInterface()) {
      said << text->text(0, text->characterCount());
      int start = 0;
      int end = 0;
      said << text->textAtOffset(0, QAccessible::LineBoundary, &start, &end);
      int selection_start = 0;
      int selection_end = 0;
      text->selection(0, &selection_start, &selection_end);
      said << text->text(selection_start, selection_end);
    }
    return said;
  }
};

// Every key bound to copy or cut on this platform, Ctrl+C and Ctrl+X among them.
QList<QKeySequence> CopyAndCutKeys() {
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Copy);
  keys += QKeySequence::keyBindings(QKeySequence::Cut);
  keys << QKeySequence(Qt::CTRL | Qt::Key_C) << QKeySequence(Qt::CTRL | Qt::Key_X);
  return keys;
}

void Press(QWidget* widget, const QKeySequence& key) {
  const QKeyCombination combination = key[0];
  QTest::keyClick(widget, combination.key(), combination.keyboardModifiers());
}

TEST_F(PrivacyTest, CopyAndCutKeysLeaveTheClipboardAndTheTextAlone) {
  QClipboard* clipboard = QApplication::clipboard();
  for (const FieldId id : kMaskedBoxes) {
    for (const QKeySequence& key : CopyAndCutKeys()) {
      SCOPED_TRACE(Box(id)->objectName().toStdString() + " " + key.toString().toStdString());
      QLineEdit* box = HoldSelected(id, SecretFor(id));
      clipboard->setText("untouched");
      Press(box, key);
      EXPECT_EQ(clipboard->text(), "untouched");
      EXPECT_EQ(Text(id).toStdString(), QString::fromUtf16(SecretFor(id)).toStdString());
      if (clipboard->supportsSelection()) {
        EXPECT_NE(clipboard->text(QClipboard::Selection), QString::fromUtf16(SecretFor(id)));
      }
    }
  }
  // The same keys copy out of a plain box, so they did reach the boxes.
  for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Copy)) {
    clipboard->setText("untouched");
    Press(HoldSelected(Text11, u"abc"), key);
    EXPECT_EQ(clipboard->text(), "abc") << key.toString().toStdString();
  }
}

QStringList Enabled(const QList<MenuAction>& actions) {
  QStringList enabled;
  for (const auto& action : actions) {
    if (action.enabled) enabled << action.caption;
  }
  return enabled;
}

// The menu speaks the window's language, in a face that can draw it.
TEST_F(PrivacyTest, ContextMenuIsChineseAndDrawable) {
  QStringList captions;
  for (const auto& action : ContextMenu(HoldSelected(Text11, u"abc"))) {
    captions << action.caption;
    EXPECT_TRUE(action.drawable) << action.caption.toStdString();
  }
  EXPECT_EQ(captions, QString::fromUtf16(u"撤消 重做 剪切 复制 粘贴 删除 全选").split(u' '));
}

TEST_F(PrivacyTest, ContextMenuOffersNoCopyOrCut) {
  const QString copy = QString::fromUtf16(u"复制");
  const QString cut = QString::fromUtf16(u"剪切");
  for (const FieldId id : kMaskedBoxes) {
    SCOPED_TRACE(Box(id)->objectName().toStdString());
    const QStringList enabled = Enabled(ContextMenu(HoldSelected(id, SecretFor(id))));
    EXPECT_FALSE(enabled.contains(copy)) << enabled.join(", ").toStdString();
    EXPECT_FALSE(enabled.contains(cut)) << enabled.join(", ").toStdString();
  }
  const QStringList plain = Enabled(ContextMenu(HoldSelected(Text11, u"abc")));
  EXPECT_TRUE(plain.contains(copy) && plain.contains(cut)) << plain.join(", ").toStdString();
}

TEST_F(PrivacyTest, MouseDragCarriesNoText) {
  for (const FieldId id : kMaskedBoxes) {
    QLineEdit* box = Box(id);
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_EQ(DraggedText(HoldSelected(id, SecretFor(id))).toStdString(), "");
    // Not even when dragging out of the box is switched on.
    box->setDragEnabled(true);
    EXPECT_EQ(DraggedText(HoldSelected(id, SecretFor(id))).toStdString(), "");
    box->setDragEnabled(false);
    EXPECT_EQ(Text(id).toStdString(), QString::fromUtf16(SecretFor(id)).toStdString());
  }
  // The gesture does drag the text out of a plain box that allows it.
  QLineEdit* plain = Box(Text11);
  plain->setDragEnabled(true);
  EXPECT_EQ(DraggedText(HoldSelected(Text11, u"123456")).toStdString(), "123456");
}

TEST_F(PrivacyTest, AccessibilityToldOnlyTheStars) {
  for (const FieldId id : kMaskedBoxes) {
    QLineEdit* box = Box(id);
    SCOPED_TRACE(box->objectName().toStdString());
    const QStringList when_empty = AccessibleTexts(HoldSelected(id, u""));
    const QString secret = QString::fromUtf16(SecretFor(id));
    const QStringList when_held = AccessibleTexts(HoldSelected(id, SecretFor(id)));
    // No character of the value turns up that was not there without it.
    const QString said_when_empty = when_empty.join("");
    for (const QString& said : when_held) {
      for (const QChar c : secret) {
        if (!said_when_empty.contains(c)) {
          EXPECT_FALSE(said.contains(c)) << said.toStdString();
        }
      }
    }
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), when_empty.at(0));
    EXPECT_EQ(accessible->text(QAccessible::Description), when_empty.at(1));
    EXPECT_EQ(when_empty.at(1), lumivar::ui::ToQString(lumivar::ui::kHiddenDescription));
    EXPECT_TRUE(accessible->state().passwordEdit);
    const QString value = accessible->text(QAccessible::Value);
    // Qt tells a password box's value as stars of its own, whatever the box shows.
    EXPECT_TRUE(value.isEmpty() || value == QString(secret.size(), u'*')) << value.toStdString();
  }
  // A plain box does tell its value, so the queries above reach the text.
  EXPECT_TRUE(AccessibleTexts(HoldSelected(Text11, u"abc")).contains("abc"));
}

}  // namespace

#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>

#include "tests/ui/window_fixture.h"

namespace {

using lumivar::FieldId;
using enum lumivar::FieldId;

QString Masks(int count) {
  return QString(count, QChar(lumivar::ui::kMaskCharacter));
}

TEST_F(WindowTest, MaskedBoxesShowOneStarPerUtf16UnitAndStoreTheText) {
  const struct {
    FieldId box;
    const char16_t* stored;
    QString shown;
  } cases[] = {
      {Text7, u"-3", Masks(2)},
      {Text10, u"123", Masks(3)},
      {Text8, u"12", Masks(2)},
      {Text10, u"😀a", Masks(3)},
      {Text4, u"", Masks(0)},
      {Text1, u"5", "5"},
      {Text11, u"精准6胆：234789", QString::fromUtf16(u"精准6胆：234789")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Box(c.box)->objectName().toStdString());
    form_.Fields().Set(c.box, c.stored);
    EXPECT_EQ(form_.Fields().Get(c.box), c.stored);
    EXPECT_EQ(Box(c.box)->displayText(), c.shown);
  }
  QTest::mouseClick(Box(Text5), Qt::LeftButton);
  TypeAtFocus("7");
  EXPECT_EQ(Box(Text5)->displayText(), Masks(1));  // masked at once, not after a delay
}

enum class Entry { Type, Paste, Commit };

struct LimitCase {
  const char* what;
  FieldId box;
  const char16_t* written;  // by the program, before the user acts
  int cursor;               // -1: at the end; -2: everything selected
  Entry entry;
  const char16_t* input;
  const char16_t* stored;
};

// Each way of entering text reaches the entry-limit rule, whose own cases
// are tested on the rule; the program's writes never do.
// clang-format off
const LimitCase kLimitCases[] = {
  {"second typed character refused",  Text1,  u"",   -1, Entry::Type,   u"45",  u"4"},
  {"paste keeps what fits",           Text1,  u"",   -1, Entry::Paste,  u"45",  u"4"},
  {"selection typed over",            Text1,  u"7",  -2, Entry::Type,   u"8",   u"8"},
  {"program write kept, mid typing",  Text8,  u"12", 1,  Entry::Type,   u"3",   u"12"},
  {"emoji commit refused whole",      Text9,  u"",   -1, Entry::Commit, u"😀",  u""},
  {"emoji over a written emoji",      Text8,  u"😀", -2, Entry::Commit, u"😁",  u""},
  {"no limit, paste",                 Text10, u"",   -1, Entry::Paste,  u"😀123", u"😀123"},
  {"no limit, typing",                Text11, u"ab", -1, Entry::Type,   u"cdef", u"abcdef"},
};
// clang-format on

void Enter(QLineEdit* box, Entry entry, const QString& input) {
  switch (entry) {
    case Entry::Type:
      TypeInto(box, input);
      break;
    case Entry::Paste:
      QApplication::clipboard()->setText(input);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
      break;
    case Entry::Commit: {
      QInputMethodEvent commit;
      commit.setCommitString(input);
      QApplication::sendEvent(box, &commit);
      break;
    }
  }
}

TEST_F(WindowTest, EntryLimitsBindOnlyWhatTheUserEnters) {
  for (const LimitCase& c : kLimitCases) {
    SCOPED_TRACE(c.what);
    QLineEdit* box = Box(c.box);
    form_.Fields().Set(c.box, c.written);
    ASSERT_EQ(form_.Fields().Get(c.box), c.written);  // a write is stored whole
    if (c.cursor == -2) box->selectAll();
    if (c.cursor >= 0) box->setCursorPosition(c.cursor);
    QSignalSpy changes(box, &QLineEdit::textChanged);
    Enter(box, c.entry, QString::fromUtf16(c.input));
    EXPECT_EQ(Text(c.box), QString::fromUtf16(c.stored));
    // A refused entry changes nothing, not even by a notification.
    if (std::u16string_view(c.stored) == c.written) {
      EXPECT_EQ(changes.count(), 0);
    }
  }
}

}  // namespace

#include "ui/qt/mask_style.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>

#include "ui/layout_table.h"
#include "ui/qt/controls.h"

namespace lumivar::ui {
namespace {

// Swallows the cut and copy keys. Password mode already keeps the text off the
// clipboard and out of drags, but its cut still deletes the selection, which
// would lose a value the user cannot see.
class CutCopyBlocker final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

MaskStyle::MaskStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int MaskStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* return_data) const {
  switch (hint) {
    case SH_LineEdit_PasswordCharacter:
      return kMaskCharacter;
    case SH_LineEdit_PasswordMaskDelay:
      return 0;  // never show the last typed character in clear
    default:
      return QProxyStyle::styleHint(hint, option, widget, return_data);
  }
}

void MaskBox(QLineEdit* box, MaskStyle* style) {
  box->setStyle(style);
  box->setEchoMode(QLineEdit::Password);
  box->setAccessibleDescription(ToQString(kHiddenDescription));
  box->installEventFilter(new CutCopyBlocker(box));
}

}  // namespace lumivar::ui

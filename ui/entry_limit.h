#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace lumivar::ui {

// Limits what the user types, pastes or commits through an input method into
// a box to `limit` UTF-16 units, the way a native edit box's text limit does:
// the overflow of an insertion is dropped, the text already there is never
// cut, and half of a surrogate pair is never kept, nor a lone surrogate that
// came in with the insertion. An insertion of which nothing fits is refused
// whole, so the box's text does not change at all.
//
// QLineEdit::setMaxLength is no use here: it also truncates setText and can
// split a surrogate pair.
class EntryLimitValidator final : public QValidator {
 public:
  EntryLimitValidator(int limit, QLineEdit* box);

  State validate(QString& input, int& pos) const override;

 private:
  int limit_;
  QString before_;  // the box's text before the edit being validated
};

// Writes `text` into the box whole, whatever its entry limit.
void WriteWhole(QLineEdit* box, const QString& text);

}  // namespace lumivar::ui

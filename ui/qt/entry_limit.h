#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <cstddef>

namespace lumivar::ui {

// Holds what the user types, pastes or commits through an input method into
// a box to the box's entry limit, through ApplyEntryLimit. Qt hands a
// validator the whole new text and the cursor, so the edit is recovered from
// the text before it.
//
// QLineEdit::setMaxLength is no use here: it also truncates setText and can
// split a surrogate pair.
class EntryLimitValidator final : public QValidator {
 public:
  EntryLimitValidator(std::size_t limit, QLineEdit* box);

  State validate(QString& input, int& pos) const override;

 private:
  std::size_t limit_;
  QString before_;  // the box's text before the edit being validated
};

// Writes `text` into the box whole, whatever its entry limit.
void WriteWhole(QLineEdit* box, const QString& text);

}  // namespace lumivar::ui

#include "ui/qt/entry_limit.h"

#include <algorithm>

#include "ui/entry_limit_rule.h"

namespace lumivar::ui {

EntryLimitValidator::EntryLimitValidator(std::size_t limit, QLineEdit* box)
    : QValidator(box), limit_(limit), before_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State EntryLimitValidator::validate(QString& input, int& pos) const {
  if (input == before_) return Acceptable;
  const std::u16string before = before_.toStdU16String();
  const UserEdit edit =
      RecoverEdit(before, input.toStdU16String(), static_cast<std::size_t>(std::max(pos, 0)));
  const auto limited = ApplyEntryLimit(before, edit, limit_);
  if (!limited) return Invalid;
  input = QString::fromStdU16String(limited->text);
  pos = static_cast<int>(limited->cursor);
  return Acceptable;
}

void WriteWhole(QLineEdit* box, const QString& text) {
  const QValidator* validator = box->validator();
  box->setValidator(nullptr);
  box->setText(text);
  box->setValidator(validator);
}

}  // namespace lumivar::ui

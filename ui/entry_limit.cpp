#include "ui/entry_limit.h"

#include <algorithm>

namespace lumivar::ui {
namespace {

// Where an edit put its inserted text: `before` became `after` by replacing
// some range with text that ends at the cursor `pos`.
struct Insertion {
  qsizetype start;
  qsizetype length;
};

Insertion LocateInsertion(const QString& before, const QString& after, qsizetype pos) {
  const qsizetype kept_suffix = after.size() - pos;
  qsizetype start = 0;
  const qsizetype limit = std::min(pos, std::max<qsizetype>(0, before.size() - kept_suffix));
  while (start < limit && before[start] == after[start]) ++start;
  // A common high surrogate does not make a common character.
  if (start > 0 && after[start - 1].isHighSurrogate()) --start;
  return {start, pos - start};
}

}  // namespace

EntryLimitValidator::EntryLimitValidator(int limit, QLineEdit* box)
    : QValidator(box), limit_(limit), before_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State EntryLimitValidator::validate(QString& input, int& pos) const {
  if (input.size() <= limit_ || input == before_) return Acceptable;
  const Insertion inserted = LocateInsertion(before_, input, pos);
  const qsizetype kept = input.size() - inserted.length;
  qsizetype fits = std::clamp<qsizetype>(limit_ - kept, 0, inserted.length);
  if (fits > 0 && input[inserted.start + fits - 1].isHighSurrogate()) --fits;
  input.remove(inserted.start + fits, inserted.length - fits);
  pos = static_cast<int>(inserted.start + fits);
  return input == before_ ? Invalid : Acceptable;
}

void WriteWhole(QLineEdit* box, const QString& text) {
  const QValidator* validator = box->validator();
  box->setValidator(nullptr);
  box->setText(text);
  box->setValidator(validator);
}

}  // namespace lumivar::ui

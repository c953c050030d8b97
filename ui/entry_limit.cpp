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

bool IsLoneSurrogateAt(const QString& text, qsizetype i) {
  if (text[i].isHighSurrogate()) return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
  if (text[i].isLowSurrogate()) return i == 0 || !text[i - 1].isHighSurrogate();
  return false;
}

// Removes the halves of surrogate pairs that stand alone in the inserted
// text: such a unit is no character, and a pasted one would otherwise fit
// into a box that takes one unit.
void DropLoneSurrogates(QString& input, Insertion& inserted) {
  for (qsizetype i = inserted.start; i < inserted.start + inserted.length;) {
    if (IsLoneSurrogateAt(input, i)) {
      input.remove(i, 1);
      --inserted.length;
    } else {
      ++i;
    }
  }
}

}  // namespace

EntryLimitValidator::EntryLimitValidator(int limit, QLineEdit* box)
    : QValidator(box), limit_(limit), before_(box->text()) {
  connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State EntryLimitValidator::validate(QString& input, int& pos) const {
  if (input == before_) return Acceptable;
  Insertion inserted = LocateInsertion(before_, input, pos);
  DropLoneSurrogates(input, inserted);
  pos = static_cast<int>(inserted.start + inserted.length);
  if (input.size() <= limit_) return input == before_ ? Invalid : Acceptable;
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

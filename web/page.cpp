#include "web/page.h"

#include <limits>
#include <utility>

#include "logic/forecast.h"
#include "ui/commands.h"

namespace lumivar::web {
namespace {

std::size_t LimitOf(const ui::ControlRow& row) {
  return row.entry_limit ? static_cast<std::size_t>(*row.entry_limit)
                         : std::numeric_limits<std::size_t>::max();
}

}  // namespace

const ui::ControlRow& RowOf(FieldId id) {
  return *ui::FindControl(FieldName(id));
}

FieldBoxes::FieldBoxes(PageView& view, ChangeHandler on_change)
    : view_(view), on_change_(std::move(on_change)) {}

Text FieldBoxes::Get(FieldId id) const {
  return RowOf(id).masked ? hidden_.at(FieldIndex(id)) : view_.BoxText(id);
}

void FieldBoxes::Set(FieldId id, Text text) {
  Write(id, std::move(text), std::nullopt);
}

void FieldBoxes::Store(FieldId id, Text text, std::size_t cursor) {
  Write(id, std::move(text), cursor);
}

void FieldBoxes::Write(FieldId id, Text text, std::optional<std::size_t> cursor) {
  if (RowOf(id).masked) {
    view_.ShowText(id, Text(text.size(), ui::kMaskCharacter), cursor);
    hidden_.at(FieldIndex(id)) = std::move(text);
  } else {
    view_.ShowText(id, text, cursor);
  }
  if (AdvancesFocus(id)) on_change_(id);
}

Form1Page::Form1Page(PageView& view)
    : view_(view), fields_(view, [this](FieldId id) { TextChanged(id); }) {}

void Form1Page::Start() {
  for (const ui::ControlRow* stop : ui::TabStops()) {
    if (const auto field = ui::FieldOf(*stop)) {
      view_.FocusBox(*field);
      return;
    }
  }
}

void Form1Page::Run(ui::Command command) {
  if (ended_) return;
  if (ui::RunCommand(command, fields_) == ui::AfterCommand::ExitProgram) ExitProgram();
}

// This is how the page ends the program: it closes its tab where the browser
// allows; where it does not, the page ends in place, every box emptied and a
// notice shown that the program has ended.
void Form1Page::ExitProgram() {
  if (!view_.ClosePage()) {
    ClearData(fields_);
    ended_ = true;
    view_.ShowEnded();
  }
}

bool Form1Page::Edit(FieldId id, const ui::UserEdit& edit, EditSource source) {
  const ui::ControlRow& row = RowOf(id);
  // A masked box takes no input-method text: what is composed there would
  // show in the clear.
  if (ended_ || !row.enabled || (row.masked && source == EditSource::InputMethod)) return false;
  const Text before = fields_.Get(id);
  if (edit.replaced.start > before.size() ||
      edit.replaced.length > before.size() - edit.replaced.start) {
    return false;
  }
  const auto limited = ui::ApplyEntryLimit(before, edit, LimitOf(row));
  if (!limited) return false;
  fields_.Store(id, limited->text, limited->cursor);
  return true;
}

void Form1Page::CommitComposition(FieldId id, const Text& before, const Text& after,
                                  std::size_t cursor) {
  if (RowOf(id).masked) {
    // The browser let composed text into a masked box: the mask comes back.
    view_.ShowText(id, Text(fields_.Length(id), ui::kMaskCharacter), std::nullopt);
    return;
  }
  // The box shows the browser's text now; it goes back to `before` first, so
  // that a refused composition leaves nothing behind.
  view_.ShowText(id, before, std::nullopt);
  const ui::UserEdit edit = ui::RecoverEdit(before, after, cursor);
  if (!Edit(id, edit, EditSource::InputMethod)) {
    view_.ShowText(id, before, edit.replaced.start);
  }
}

void Form1Page::TextChanged(FieldId id) {
  if (const FocusRequest next = AdvanceFocus(id, fields_.Get(id))) view_.FocusBox(*next);
}

}  // namespace lumivar::web

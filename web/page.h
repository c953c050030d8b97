#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "logic/forecast_fields.h"
#include "ui/commands.h"
#include "ui/entry_limit_rule.h"
#include "ui/layout_table.h"

namespace lumivar::web {

// What the page does to the document: written over the DOM for the browser
// (bindings.cpp), and over a plain record in the tests.
class PageView {
 public:
  virtual ~PageView() = default;
  // The text a plain box holds in the document.
  virtual Text BoxText(FieldId id) const = 0;
  // Puts `shown` into the box; with a cursor, the caret goes there.
  virtual void ShowText(FieldId id, const Text& shown, std::optional<std::size_t> cursor) = 0;
  virtual void FocusBox(FieldId id) = 0;
  // Asks the browser to close the page; false when it will not.
  virtual bool ClosePage() = 0;
  // Shows, inside the page, that the program has ended.
  virtual void ShowEnded() = 0;

 protected:
  PageView() = default;
  PageView(const PageView&) = default;
  PageView& operator=(const PageView&) = default;
};

// The page's edit boxes as the field set. A plain box's text is the box's
// own value in the document; a masked box's text is held here alone, and the
// document sees one mask character per unit of it.
class FieldBoxes final : public FieldSet {
 public:
  using ChangeHandler = std::function<void(FieldId)>;
  FieldBoxes(PageView& view, ChangeHandler on_change);

  Text Get(FieldId id) const override;
  // Replaces the text whole; for kFocusAdvancingFields the change
  // notification follows, as when the user typed.
  void Set(FieldId id, Text text) override;
  // A user edit the entry limit let through, with the caret where it ends.
  void Store(FieldId id, Text text, std::size_t cursor);

 private:
  void Write(FieldId id, Text text, std::optional<std::size_t> cursor);

  PageView& view_;
  ChangeHandler on_change_;
  std::array<Text, kFieldCount> hidden_{};
};

// Where an edit comes from: typing, pasting or a drop, or the finished text
// of an input method.
enum class EditSource { Keys, InputMethod };

// Form1 as a page: the commands, the focus advance and the entry limit over
// the page's boxes.
class Form1Page {
 public:
  explicit Form1Page(PageView& view);

  // The focus waits in the first box of the tab order.
  void Start();
  void Run(ui::Command command);
  // An edit of a box through the entry limit; false, with the box left as it
  // was, when the limit or the box refuses it.
  bool Edit(FieldId id, const ui::UserEdit& edit, EditSource source);
  // Finished input-method text in a plain box, which the browser has already
  // put into `after`: kept through the entry limit against `before`, or
  // taken back.
  void CommitComposition(FieldId id, const Text& before, const Text& after, std::size_t cursor);

  FieldBoxes& Fields() { return fields_; }

 private:
  void TextChanged(FieldId id);
  void ExitProgram();

  PageView& view_;
  FieldBoxes fields_;
  bool ended_ = false;
};

// The design row of a field's box.
const ui::ControlRow& RowOf(FieldId id);

}  // namespace lumivar::web

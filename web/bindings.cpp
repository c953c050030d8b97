// The page's C++ side: Form1Page over the document, reached through
// the functions of page.js (the global `lumivarPage`), and the entry points
// page.js calls on each click, edit and composition.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/layout_table.h"
#include "web/page.h"

namespace {

// JavaScript side of the view. Texts cross as UTF-16 units in the heap.
// clang-format off
EM_JS(int, js_box_length, (int field), { return lumivarPage.boxText(field).length; });
EM_JS(void, js_box_read, (int field, char16_t* out), {
  const text = lumivarPage.boxText(field);
  for (let i = 0; i < text.length; ++i) HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
});
EM_JS(void, js_show_text, (int field, const char16_t* units, int length, int cursor), {
  const text = String.fromCharCode.apply(null, HEAPU16.subarray(units >> 1, (units >> 1) + length));
  lumivarPage.showText(field, text, cursor);
});
EM_JS(void, js_focus_box, (int field), { lumivarPage.focusBox(field); });
EM_JS(int, js_close_page, (), { return lumivarPage.closePage() ? 1 : 0; });
EM_JS(void, js_show_ended, (), { lumivarPage.showEnded(); });
// clang-format on

class DomView final : public lumivar::web::PageView {
 public:
  lumivar::Text BoxText(lumivar::FieldId id) const override {
    const int field = Index(id);
    lumivar::Text text(static_cast<std::size_t>(js_box_length(field)), u'\0');
    js_box_read(field, text.data());
    return text;
  }
  void ShowText(lumivar::FieldId id, const lumivar::Text& shown,
                std::optional<std::size_t> cursor) override {
    js_show_text(Index(id), shown.data(), static_cast<int>(shown.size()),
                 cursor ? static_cast<int>(*cursor) : -1);
  }
  void FocusBox(lumivar::FieldId id) override { js_focus_box(Index(id)); }
  bool ClosePage() override { return js_close_page() != 0; }
  void ShowEnded() override { js_show_ended(); }

 private:
  static int Index(lumivar::FieldId id) { return static_cast<int>(lumivar::FieldIndex(id)); }
};

DomView view;
lumivar::web::Form1Page page(view);

std::optional<lumivar::FieldId> FieldAt(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= lumivar::kFieldCount) return std::nullopt;
  return lumivar::kAllFields.at(static_cast<std::size_t>(index));
}

lumivar::Text Units(const char16_t* units, int length) {
  return length > 0 ? lumivar::Text(units, static_cast<std::size_t>(length)) : lumivar::Text();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void lumivar_start() {
  page.Start();
}

EMSCRIPTEN_KEEPALIVE void lumivar_command(int command) {
  if (command < 0 || static_cast<std::size_t>(command) >= lumivar::ui::kCommandCount) return;
  page.Run(static_cast<lumivar::ui::Command>(command));
}

// A typed, pasted, dropped or deleting edit of a box: `length` units from
// `start` give way to `inserted`. 1 when the box took it.
EMSCRIPTEN_KEEPALIVE int lumivar_edit(int field, int start, int length, const char16_t* inserted,
                                      int inserted_length) {
  const auto id = FieldAt(field);
  if (!id || start < 0 || length < 0) return 0;
  const lumivar::ui::UserEdit edit{
      {static_cast<std::size_t>(start), static_cast<std::size_t>(length)},
      Units(inserted, inserted_length)};
  return page.Edit(*id, edit, lumivar::web::EditSource::Keys) ? 1 : 0;
}

// Finished input-method text: the box held `before` and now holds what the
// browser put there, with the caret at `cursor`.
EMSCRIPTEN_KEEPALIVE void lumivar_composition(int field, const char16_t* before, int before_length,
                                              int cursor) {
  const auto id = FieldAt(field);
  if (!id || cursor < 0) return;
  page.CommitComposition(*id, Units(before, before_length), view.BoxText(*id),
                         static_cast<std::size_t>(cursor));
}

}  // extern "C"

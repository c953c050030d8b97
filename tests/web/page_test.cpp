// Form1Page over a plain record in place of the document: the field set of
// the page's boxes, the entry limit, the focus advance and the end of the
// program, as the browser build runs them.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "logic/forecast.h"
#include "ui/layout_table.h"
#include "web/page.h"

namespace lumivar::web {
namespace {

using enum FieldId;

// The document as a record: what each box shows, where the focus is, and
// whether the browser lets the page close.
class FakeView final : public PageView {
 public:
  Text BoxText(FieldId id) const override { return shown.at(FieldIndex(id)); }
  void ShowText(FieldId id, const Text& text, std::optional<std::size_t> caret) override {
    shown.at(FieldIndex(id)) = text;
    if (caret) cursor = *caret;
  }
  void FocusBox(FieldId id) override { focus = id; }
  bool ClosePage() override { return may_close; }
  void ShowEnded() override { ended = true; }

  std::array<Text, kFieldCount> shown{};
  std::optional<FieldId> focus;
  std::size_t cursor = 0;
  bool may_close = false;
  bool ended = false;
};

class PageTest : public ::testing::Test {
 protected:
  FakeView view;
  Form1Page page{view};

  bool Type(FieldId id, const Text& text, std::size_t at = 0, std::size_t replacing = 0) {
    return page.Edit(id, {{at, replacing}, text}, EditSource::Keys);
  }
};

std::vector<FieldId> MaskedFields() {
  std::vector<FieldId> masked;
  for (const ui::ControlRow& row : ui::ControlTable()) {
    if (const auto id = ui::FieldOf(row); id && row.masked) masked.push_back(*id);
  }
  return masked;
}

TEST_F(PageTest, MaskedBoxesShowOneMaskPerUnitAndKeepTheirTextOutOfTheDocument) {
  ASSERT_FALSE(MaskedFields().empty());
  for (const FieldId id : MaskedFields()) {
    for (const Text& text : {Text(u"-3"), Text(u"123"), Text(u"😀"), Text()}) {
      SCOPED_TRACE(std::string(FieldName(id)) + " holding " + std::to_string(text.size()) +
                   " units");
      page.Fields().Set(id, text);
      EXPECT_EQ(page.Fields().Get(id), text);
      EXPECT_EQ(view.shown.at(FieldIndex(id)), Text(text.size(), ui::kMaskCharacter));
    }
  }
}

TEST_F(PageTest, StartsWithTheFocusInTheFirstBox) {
  page.Start();
  EXPECT_EQ(view.focus, Text1);
}

TEST_F(PageTest, ForecastsAsOnAPlainRecord) {
  const std::array<std::array<Text, 3>, 6> draws = {{
      {u"1", u"2", u"3"},
      {u"3", u"5", u"8"},
      {u"a", u"5", u"3"},
      {u"", u"", u""},
      {u"９", u"-", u"0"},
      {u"", u"5", u""},
  }};
  ForecastFields record;
  for (const auto& draw : draws) {
    SCOPED_TRACE(std::string(draw[0].begin(), draw[0].end()));
    for (const FieldId id : lumivar::kDrawFields) {
      const Text& digit = draw.at(FieldIndex(id));
      page.Fields().Set(id, digit);
      record.Set(id, digit);
    }
    page.Run(ui::Command::StartForecast);
    StartForecast(record);
    for (const FieldId id : kAllFields) {
      if (id == Text12) continue;  // the banner is the document's own text
      EXPECT_EQ(page.Fields().Get(id), record.Get(id)) << FieldName(id);
    }
  }
}

// A write of Text1 or Text2 raises the change notification as typing does.
TEST_F(PageTest, WritesAndEditsOfTheFirstTwoBoxesMoveTheFocusOn) {
  struct Case {
    FieldId id;
    Text text;
    std::optional<FieldId> focus;
  };
  const std::array<Case, 5> cases = {{
      {Text1, u"7", Text2},
      {Text2, u"7", Text3},
      {Text3, u"7", std::nullopt},
      {Text1, u"", std::nullopt},
      {Text2, u"12", std::nullopt},
  }};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(FieldName(c.id)));
    view.focus.reset();
    page.Fields().Set(c.id, c.text);
    EXPECT_EQ(view.focus, c.focus) << "after a write";
    page.Fields().Set(c.id, u"");
    view.focus.reset();
    Type(c.id, c.text);
    if (c.text.size() <= 1) {
      EXPECT_EQ(view.focus, c.focus) << "after typing";
    }
  }
}

// The limit's own cases are tested on the rule; here, that every kind of box
// reaches it, what only masked boxes do, and that a range from the script
// beyond the text is refused.
TEST_F(PageTest, EditsGoThroughTheEntryLimit) {
  struct Case {
    const char* what;
    FieldId id;
    Text before;
    ui::UserEdit edit;
    EditSource source;
    bool taken;
    Text after;
  };
  const std::array<Case, 5> cases = {{
      {"a paste past the limit keeps its start",
       Text3,
       u"",
       {{0, 0}, u"78"},
       EditSource::Keys,
       true,
       u"7"},
      {"a masked box takes a paste", Text8, u"", {{0, 0}, u"45"}, EditSource::Keys, true, u"4"},
      {"a masked box takes no input method",
       Text8,
       u"",
       {{0, 0}, u"4"},
       EditSource::InputMethod,
       false,
       u""},
      {"a masked box deletes", Text10, u"123", {{1, 1}, u""}, EditSource::Keys, true, u"13"},
      {"a range beyond the text", Text10, u"12", {{1, 5}, u""}, EditSource::Keys, false, u"12"},
  }};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    page.Fields().Set(c.id, c.before);
    EXPECT_EQ(page.Edit(c.id, c.edit, c.source), c.taken);
    EXPECT_EQ(page.Fields().Get(c.id), c.after);
  }
}

TEST_F(PageTest, TheBannerTakesNoEdit) {
  page.Fields().Set(Text12, u"banner");
  EXPECT_FALSE(Type(Text12, u"x"));
  EXPECT_EQ(page.Fields().Get(Text12), u"banner");
}

TEST_F(PageTest, FinishedCompositionsGoThroughTheLimit) {
  view.shown.at(FieldIndex(Text3)) = u"７８";  // what the browser composed into the empty box
  page.CommitComposition(Text3, u"", u"７８", 2);
  EXPECT_EQ(page.Fields().Get(Text3), u"７");

  const Text mask(1, ui::kMaskCharacter);
  page.Fields().Set(Text4, u"5");
  view.shown.at(FieldIndex(Text4)) = mask + u"６";
  page.CommitComposition(Text4, mask, mask + u"６", 2);
  EXPECT_EQ(page.Fields().Get(Text4), u"5");
  EXPECT_EQ(view.shown.at(FieldIndex(Text4)), mask);
}

TEST_F(PageTest, ExitThatTheBrowserRefusesEmptiesEveryBoxAndEndsThePage) {
  page.Fields().Set(Text12, u"banner");
  page.Fields().Set(Text1, u"1");
  page.Run(ui::Command::StartForecast);
  page.Run(ui::Command::ExitProgram);
  EXPECT_TRUE(view.ended);
  for (const FieldId id : kAllFields) {
    EXPECT_EQ(page.Fields().Get(id).empty(), id != Text12) << FieldName(id);
  }
  page.Run(ui::Command::StartForecast);
  EXPECT_TRUE(page.Fields().Get(Text11).empty()) << "an ended page still forecasts";
  EXPECT_FALSE(Type(Text1, u"1")) << "an ended page still takes input";
}

TEST_F(PageTest, ExitThatTheBrowserAllowsLeavesThePageToClose) {
  view.may_close = true;
  page.Fields().Set(Text3, u"3");
  page.Run(ui::Command::ExitProgram);
  EXPECT_FALSE(view.ended);
  EXPECT_EQ(page.Fields().Get(Text3), u"3");
}

}  // namespace
}  // namespace lumivar::web

#include "logic/forecast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/logic/forecast_model.h"

namespace lumivar {
namespace {

using enum FieldId;
using Expected = std::map<FieldId, Text>;

ForecastFields WithInputs(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
  ForecastFields fields;
  fields.Set(Text1, Text(a));
  fields.Set(Text2, Text(b));
  fields.Set(Text3, Text(c));
  return fields;
}

void ExpectFields(const FieldSet& fields, const Expected& expected) {
  for (const auto& [id, text] : expected) {
    SCOPED_TRACE(std::string(FieldName(id)));
    EXPECT_EQ(fields.Get(id), text);
  }
}

// What the independent model (tests/logic/forecast_model.h) writes, by field;
// the inputs here are short enough for the model to decide every result.
Expected ModelFields(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
  const auto results = model::ByField(model::Forecast({Text(a), Text(b), Text(c)}));
  Expected expected;
  for (const FieldId id : kResultFields) expected[id] = results.at(FieldName(id)).value();
  return expected;
}

// Records which fields are written.
class RecordingFields final : public FieldSet {
 public:
  Text Get(FieldId id) const override { return inner_.Get(id); }
  void Set(FieldId id, Text text) override {
    writes.push_back(id);
    inner_.Set(id, std::move(text));
  }
  std::vector<FieldId> writes;

 private:
  ForecastFields inner_;
};

TEST(ForecastFields, StartsEmptyButForTheBanner) {
  const ForecastFields fields;
  for (FieldId id : kAllFields) {
    SCOPED_TRACE(std::string(FieldName(id)));
    EXPECT_EQ(fields.Get(id), id == Text12 ? Text(kBannerText) : Text());
  }
  EXPECT_EQ(fields.Length(Text12), kBannerText.size());
}

struct ForecastCase {
  const char* name;
  std::u16string_view a, b, c;
  Expected expected;
};

const ForecastCase kForecastCases[] = {
    {"123",
     u"1",
     u"2",
     u"3",
     {{Text4, u"6"},
      {Text10, u"123"},
      {Text5, u"3"},
      {Text6, u"1"},
      {Text7, u"2"},
      {Text8, u"8"},
      {Text11, u"精准6胆：234789"},
      {Text9, u"3"},
      {Text13_0, u"7"},
      {Text13_1, u"7"}}},
    {"358 selector of two digits empties the banker line",
     u"3",
     u"5",
     u"8",
     {{Text4, u"6"},
      {Text10, u"358"},
      {Text5, u"8"},
      {Text6, u"3"},
      {Text7, u"5"},
      {Text8, u"11"},
      {Text11, u""},
      {Text9, u"3"},
      {Text13_0, u"4"},
      {Text13_1, u"2"}}},
    {"999",
     u"9",
     u"9",
     u"9",
     {{Text4, u"7"},
      {Text10, u"999"},
      {Text5, u"9"},
      {Text6, u"9"},
      {Text7, u"0"},
      {Text8, u"7"},
      {Text11, u"精准6胆：123678"},
      {Text9, u"2"},
      {Text13_0, u"9"},
      {Text13_1, u"3"}}},
    {"000",
     u"0",
     u"0",
     u"0",
     {{Text4, u"0"},
      {Text10, u"000"},
      {Text5, u"0"},
      {Text6, u"0"},
      {Text7, u"0"},
      {Text8, u"0"},
      {Text11, u"精准6胆：014569"},
      {Text9, u"9"},
      {Text13_0, u"9"},
      {Text13_1, u"4"}}},
    {"all empty",
     u"",
     u"",
     u"",
     {{Text4, u"0"},
      {Text10, u""},
      {Text5, u""},
      {Text6, u""},
      {Text7, u"0"},
      {Text8, u"0"},
      {Text11, u"精准6胆：014569"},
      {Text9, u"9"},
      {Text13_0, u"9"},
      {Text13_1, u"4"}}},
    {"only Text2",
     u"",
     u"5",
     u"",
     {{Text4, u"5"},
      {Text10, u"5"},
      {Text5, u"5"},
      {Text6, u"5"},
      {Text7, u"0"},
      {Text8, u"5"},
      {Text11, u"精准6胆：014569"},
      {Text9, u"4"},
      {Text13_0, u"9"},
      {Text13_1, u"4"}}},
    {"letter wins the largest scan",
     u"a",
     u"5",
     u"3",
     {{Text4, u"8"},
      {Text10, u"a53"},
      {Text5, u"a"},
      {Text6, u"3"},
      {Text7, u"-3"},
      {Text8, u"5"},
      {Text11, u"精准6胆：014569"},
      {Text9, u"1"},
      {Text13_0, u"12"},
      {Text13_1, u"7"}}},
    {"full-width digits count as digits",
     u"\uFF11",
     u"2",
     u"\uFF13",
     {{Text4, u"6"},
      {Text10, u"\uFF112\uFF13"},
      {Text5, u"\uFF13"},
      {Text6, u"2"},
      {Text7, u"1"},
      {Text8, u"7"},
      {Text11, u"精准6胆：123678"},
      {Text9, u"3"},
      {Text13_0, u"8"},
      {Text13_1, u"7"}}},
    {"punctuation ranks below every digit",
     u"*",
     u"-",
     u"7",
     {{Text4, u"7"},
      {Text10, u"*-7"},
      {Text5, u"7"},
      {Text6, u"*"},
      {Text7, u"7"},
      {Text8, u"14"},
      {Text11, u""},
      {Text9, u"2"},
      {Text13_0, u"2"},
      {Text13_1, u"1"}}},
};

// The worked examples tie both the program and the model to the documented
// results, for digits and for the other characters a box may hold. The
// program must leave the inputs and the banner unwritten: a write to an
// input would raise its change notification in the window.
TEST(StartForecast, GivesTheListedResults) {
  for (const ForecastCase& c : kForecastCases) {
    SCOPED_TRACE(c.name);
    RecordingFields fields;
    fields.Set(Text1, Text(c.a));
    fields.Set(Text2, Text(c.b));
    fields.Set(Text3, Text(c.c));
    fields.writes.clear();
    StartForecast(fields);
    ExpectFields(fields, c.expected);
    for (const FieldRow& row : kFieldTable) {
      if (row.role == FieldRole::Result) continue;
      SCOPED_TRACE(std::string(row.name));
      EXPECT_EQ(std::count(fields.writes.begin(), fields.writes.end(), row.id), 0);
    }
    EXPECT_EQ(ModelFields(c.a, c.b, c.c), c.expected);
  }
}

// The model names the fields it writes itself: they are the result fields.
TEST(ForecastModel, WritesTheResultFields) {
  std::set<std::string_view> names;
  for (const FieldId id : kResultFields) names.insert(FieldName(id));
  std::set<std::string_view> modelled;
  for (const auto& [name, result] : model::ByField(model::Forecast({}))) modelled.insert(name);
  EXPECT_EQ(modelled, names);
}

// What an earlier run, a user's typing or a clear may leave behind.
std::vector<ForecastFields> HistoryStates() {
  std::vector<ForecastFields> states(1);  // fresh
  for (auto [a, b, c] : {std::tuple{u"1", u"2", u"3"}, {u"3", u"5", u"8"}, {u"a", u"5", u"3"}}) {
    ForecastFields earlier = WithInputs(a, b, c);
    StartForecast(earlier);
    states.push_back(earlier);
  }
  ForecastFields typed;
  for (FieldId id : kAllFields) {
    if (id != Text12) typed.Set(id, u"z");
  }
  states.push_back(typed);
  ForecastFields cleared = states[1];
  ClearData(cleared);
  states.push_back(cleared);
  return states;
}

TEST(StartForecast, ResultsDependOnlyOnTheThreeInputs) {
  const std::vector<ForecastFields> histories = HistoryStates();
  for (const ForecastCase& c : kForecastCases) {
    SCOPED_TRACE(c.name);
    ForecastFields reference = WithInputs(c.a, c.b, c.c);
    StartForecast(reference);
    for (std::size_t h = 0; h < histories.size(); ++h) {
      SCOPED_TRACE(h);
      ForecastFields fields = histories[h];
      fields.Set(Text1, Text(c.a));
      fields.Set(Text2, Text(c.b));
      fields.Set(Text3, Text(c.c));
      StartForecast(fields);
      EXPECT_EQ(fields, reference);
    }
  }
}

TEST(StartForecast, MatchesTheModelForEveryDraw) {
  for (int draw = 0; draw < 1000; ++draw) {
    SCOPED_TRACE(draw);
    const Text a(1, static_cast<char16_t>(u'0' + draw / 100));
    const Text b(1, static_cast<char16_t>(u'0' + draw / 10 % 10));
    const Text c(1, static_cast<char16_t>(u'0' + draw % 10));
    ForecastFields fields = WithInputs(a, b, c);
    StartForecast(fields);
    ExpectFields(fields, ModelFields(a, b, c));
  }
}

TEST(ClearData, EmptiesEverythingButTheBanner) {
  ForecastFields fields;
  for (FieldId id : kAllFields) {
    if (id != Text12) fields.Set(id, u"x");
  }
  ClearData(fields);
  EXPECT_EQ(fields, ForecastFields());
}

TEST(AdvanceFocus, MovesOnOnlyAfterExactlyOneCharacterInTheFirstTwoBoxes) {
  struct Case {
    FieldId field;
    std::u16string_view text;
    FocusRequest request;
  };
  const Case cases[] = {
      {Text1, u"1", Text2},
      {Text1, u"a", Text2},
      {Text1, u"", std::nullopt},
      {Text1, u"12", std::nullopt},
      {Text2, u"\u4E00", Text3},
      {Text2, u"", std::nullopt},
      {Text2, u"\U0001F600", std::nullopt},
      {Text3, u"3", std::nullopt},
      {Text4, u"3", std::nullopt},
      {Text13_1, u"3", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(FieldName(c.field)) + " " + std::to_string(c.text.size()));
    EXPECT_EQ(AdvanceFocus(c.field, c.text), c.request);
  }
}

}  // namespace
}  // namespace lumivar

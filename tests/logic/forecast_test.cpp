#include "logic/forecast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace lumivar {
namespace {

using enum FieldId;
using Expected = std::map<FieldId, std::u16string_view>;

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

// Records every write so that the order and the set of writes can be checked.
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

TEST(ForecastFields, StoresWritesWhole) {
  ForecastFields fields;
  fields.Set(Text8, u"12");
  fields.Set(Text7, u"-3");
  EXPECT_EQ(fields.Get(Text8), u"12");
  EXPECT_EQ(fields.Length(Text7), 2u);
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

TEST(StartForecast, GivesTheListedResults) {
  for (const ForecastCase& c : kForecastCases) {
    SCOPED_TRACE(c.name);
    ForecastFields fields = WithInputs(c.a, c.b, c.c);
    StartForecast(fields);
    ExpectFields(fields, c.expected);
    EXPECT_EQ(fields.Get(Text1), c.a);
    EXPECT_EQ(fields.Get(Text2), c.b);
    EXPECT_EQ(fields.Get(Text3), c.c);
    EXPECT_EQ(fields.Get(Text12), kBannerText);
  }
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

TEST(StartForecast, WritesEveryResultAndNoInput) {
  const std::vector<FieldId> in_order = {Text4, Text10, Text5, Text6,    Text7,
                                         Text8, Text11, Text9, Text13_0, Text13_1};
  for (auto [a, b, c] : {std::tuple{u"1", u"2", u"3"}, {u"3", u"5", u"8"}, {u"", u"", u""}}) {
    RecordingFields fields;
    fields.Set(Text1, a);
    fields.Set(Text2, b);
    fields.Set(Text3, c);
    fields.writes.clear();
    StartForecast(fields);
    EXPECT_EQ(fields.writes, in_order);
  }
}

// An independent model of the forecast for digit draws.
Expected ModelFor(int a, int b, int c, std::vector<std::u16string>& storage) {
  const int tail = (a + b + c) % 10;
  const int largest = std::max({a, b, c});
  const int smallest = std::min({a, b, c});
  const int span = largest - smallest;
  const int selector = span + tail;
  std::u16string banker;
  if (selector <= 9) {
    banker = u"精准6胆：";
    for (int d = 0; d <= 9; ++d) {
      const int r = ((d - selector) % 5 + 5) % 5;
      if (r == 4 || r == 0 || r == 1) banker += static_cast<char16_t>(u'0' + d);
    }
  }
  auto text = [&](int v) -> std::u16string_view {
    std::string ascii = std::to_string(v);
    storage.emplace_back(ascii.begin(), ascii.end());
    return storage.back();
  };
  storage.reserve(16);
  storage.push_back(banker);
  const std::u16string_view banker_view = storage.back();
  const char16_t joined[] = {static_cast<char16_t>(u'0' + a), static_cast<char16_t>(u'0' + b),
                             static_cast<char16_t>(u'0' + c), 0};
  storage.emplace_back(joined);
  const std::u16string_view joined_view = storage.back();
  return {{Text4, text(tail)},           {Text10, joined_view},   {Text5, text(largest)},
          {Text6, text(smallest)},       {Text7, text(span)},     {Text8, text(selector)},
          {Text11, banker_view},         {Text9, text(9 - tail)}, {Text13_0, text(9 - span)},
          {Text13_1, text((c + 4) % 10)}};
}

TEST(StartForecast, MatchesTheArithmeticModelForEveryDraw) {
  for (int draw = 0; draw < 1000; ++draw) {
    const int a = draw / 100;
    const int b = draw / 10 % 10;
    const int c = draw % 10;
    SCOPED_TRACE(draw);
    const char16_t digits[] = {static_cast<char16_t>(u'0' + a), static_cast<char16_t>(u'0' + b),
                               static_cast<char16_t>(u'0' + c)};
    ForecastFields fields = WithInputs({&digits[0], 1}, {&digits[1], 1}, {&digits[2], 1});
    StartForecast(fields);
    std::vector<std::u16string> storage;
    ExpectFields(fields, ModelFor(a, b, c, storage));
  }
}

TEST(BankerTable, KeysSharingAResidueShareALine) {
  for (const BankerEntry& entry : BankerTable) {
    ASSERT_EQ(entry.line.size(), 11u);
    EXPECT_EQ(entry.line.substr(0, 5), u"精准6胆：");
  }
  for (std::size_t i = 0; i < BankerTable.size(); i += 2) {
    EXPECT_EQ(BankerTable[i].line, BankerTable[i + 1].line);
    EXPECT_EQ(BankerTable[i + 1].key[0] - BankerTable[i].key[0], 5);
  }
}

TEST(ClearData, EmptiesEverythingButTheBannerInOrder) {
  RecordingFields fields;
  for (FieldId id : kAllFields) {
    if (id != Text12) fields.Set(id, u"x");
  }
  fields.writes.clear();
  ClearData(fields);
  const std::vector<FieldId> in_order = {Text1, Text2, Text3,  Text4,  Text5,    Text6,   Text7,
                                         Text8, Text9, Text10, Text11, Text13_0, Text13_1};
  EXPECT_EQ(fields.writes, in_order);
  for (FieldId id : kAllFields) {
    SCOPED_TRACE(std::string(FieldName(id)));
    EXPECT_EQ(fields.Get(id), id == Text12 ? Text(kBannerText) : Text());
  }
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

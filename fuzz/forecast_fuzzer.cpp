// libFuzzer target for the forecast core. The input bytes become a starting
// state of all fourteen fields and then a sequence of operations on it:
// StartForecast, ClearData, and edits of the fields such as a user makes
// (set a text, insert, delete or replace a character). After each
// StartForecast and ClearData the fields must be what the operation
// promises; any breach prints what differed and aborts.
//
// The byte layout is mirrored by fuzz/make-corpus, which writes the seeds.
// With LUMIVAR_FUZZ_TRACE set, every decoded operation and the fields after
// each forecast are printed: run the binary on one file to read a finding.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "logic/forecast.h"
#include "logic/value_conversions.h"
#include "tests/logic/forecast_model.h"

namespace {

using lumivar::FieldId;
using lumivar::FieldName;
using lumivar::kAllFields;
using lumivar::Text;
using enum lumivar::FieldId;

// The fields, remembering which of them were written since the last reset.
class WatchedFields final : public lumivar::FieldSet {
 public:
  Text Get(FieldId id) const override { return fields_.Get(id); }
  void Set(FieldId id, Text text) override {
    written_[lumivar::FieldIndex(id)] = true;
    fields_.Set(id, std::move(text));
  }
  bool Written(FieldId id) const { return written_[lumivar::FieldIndex(id)]; }
  void ForgetWrites() { written_ = {}; }

 private:
  lumivar::ForecastFields fields_;
  std::array<bool, lumivar::kFieldCount> written_{};
};

std::string Units(const Text& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < 24; ++i) {
    std::array<char, 8> unit{};
    std::snprintf(unit.data(), unit.size(), "%s%04X", i ? " " : "", static_cast<unsigned>(text[i]));
    out += unit.data();
  }
  return out + (text.size() > 24 ? " …\" (" + std::to_string(text.size()) + " units)" : "\"");
}

const bool kTracing = std::getenv("LUMIVAR_FUZZ_TRACE") != nullptr;

// Prints the line that `describe` makes, only when tracing.
template <class Describe>
void Trace(Describe describe) {
  if (kTracing) std::fprintf(stderr, "%s\n", describe().c_str());
}

std::string Named(FieldId id, const Text& text) {
  return std::string(FieldName(id)) + " = " + Units(text);
}

[[noreturn]] void Breach(const char* operation, FieldId id, const char* what) {
  std::fprintf(stderr, "lumivar_fuzz: after %s, %s: %s\n", operation,
               std::string(FieldName(id)).c_str(), what);
  std::abort();
}

void ExpectText(const WatchedFields& fields, FieldId id, const Text& expected) {
  if (fields.Get(id) == expected) return;
  const std::string what = "holds " + Units(fields.Get(id)) + ", expected " + Units(expected);
  Breach("StartForecast", id, what.c_str());
}

bool HasSurrogate(const Text& text) {
  return std::ranges::any_of(text, lumivar::IsSurrogate);
}

// The last character of a written number: one unit, never a surrogate.
void ExpectOneCharacter(const WatchedFields& fields, FieldId id) {
  const Text text = fields.Get(id);
  if (text.size() != 1 || lumivar::IsSurrogate(text[0])) {
    Breach("StartForecast", id, ("holds " + Units(text) + ", not one character").c_str());
  }
}

void CheckForecast(const WatchedFields& fields,
                   const std::array<Text, lumivar::kFieldCount>& before) {
  for (const lumivar::FieldRow& row : lumivar::kFieldTable) {
    if (row.role == lumivar::FieldRole::Result) continue;
    // Writing an input would also raise its change notification in the window.
    if (fields.Written(row.id)) Breach("StartForecast", row.id, "written");
    if (fields.Get(row.id) != before[lumivar::FieldIndex(row.id)]) {
      Breach("StartForecast", row.id, "changed");
    }
  }

  // Every sum tail is one character, whether or not the model decides it.
  ExpectOneCharacter(fields, Text4);
  const lumivar::model::Inputs inputs{fields.Get(Text1), fields.Get(Text2), fields.Get(Text3)};
  const auto model =
      lumivar::model::ByField(lumivar::model::Forecast(inputs, fields.Get(Text4)[0]));
  for (FieldId id : lumivar::kResultFields) {
    // What the model leaves undecided is the last character of a number.
    if (const auto& expected = model.at(FieldName(id))) {
      ExpectText(fields, id, *expected);
    } else {
      ExpectOneCharacter(fields, id);
    }
  }

  if (HasSurrogate(inputs.first + inputs.second + inputs.third)) return;
  for (FieldId id : lumivar::kResultFields) {
    if (HasSurrogate(fields.Get(id))) Breach("StartForecast", id, "holds a surrogate unit");
  }
}

void CheckClear(const WatchedFields& fields, const Text& banner) {
  for (FieldId id : kAllFields) {
    const bool ok = id == Text12 ? fields.Get(id) == banner : fields.Get(id).empty();
    if (!ok) Breach("ClearData", id, ("holds " + Units(fields.Get(id))).c_str());
  }
}

// One character as a user may enter it: one UTF-16 unit, or an emoji's
// surrogate pair. Digits, signs and blanks are drawn often because they move
// the numbers; lone surrogates and any unit at all are drawn too.
Text ConsumeCharacter(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return Text(1, in.ConsumeIntegralInRange<char16_t>(u'0', u'9'));
    case 1:
      return Text(1, in.ConsumeIntegralInRange<char16_t>(u'\uFF10', u'\uFF19'));  // full-width
    case 2:
      return Text(1, u" \t\n\r+-."[in.ConsumeIntegralInRange(0, 6)]);
    case 3:
      return Text(1, in.ConsumeIntegralInRange<char16_t>(0x20, 0x7E));  // printable ASCII
    case 4:
      return Text(1, in.ConsumeIntegralInRange<char16_t>(0x4E00, 0x9FFF));  // CJK
    case 5:
      return Text(1, in.ConsumeIntegralInRange<char16_t>(0xD800, 0xDFFF));  // lone surrogate
    case 6:
      return {0xD83D, in.ConsumeIntegralInRange<char16_t>(0xDE00, 0xDE4F)};  // emoji
    default:
      return Text(1, in.ConsumeIntegral<char16_t>());
  }
}

// Up to seven characters; now and then one of them repeated hundreds of
// times, as a long paste or a huge digit run.
Text ConsumeText(FuzzedDataProvider& in) {
  Text text;
  for (int pieces = in.ConsumeIntegralInRange(0, 7); pieces > 0; --pieces) {
    const Text character = ConsumeCharacter(in);
    const bool long_run = in.ConsumeIntegralInRange(0, 31) == 31;
    for (int n = long_run ? in.ConsumeIntegralInRange(2, 400) : 1; n > 0; --n) text += character;
  }
  return text;
}

void EditField(FuzzedDataProvider& in, WatchedFields& fields, int edit) {
  const auto& editable = lumivar::kEditableFields;
  const FieldId id = editable[in.ConsumeIntegralInRange<std::size_t>(0, editable.size() - 1)];
  Text text = fields.Get(id);
  if (edit == 0) {
    text = ConsumeText(in);
  } else if (edit == 1) {
    text.insert(in.ConsumeIntegralInRange<std::size_t>(0, text.size()), ConsumeCharacter(in));
  } else if (!text.empty()) {
    const auto pos = in.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
    text.erase(pos, 1);
    if (edit == 3) text.insert(pos, ConsumeCharacter(in));
  }
  static constexpr std::array<const char*, 4> kEdits = {"set ", "insert into ", "delete in ",
                                                        "replace in "};
  Trace([&] { return kEdits.at(static_cast<std::size_t>(edit)) + Named(id, text); });
  fields.Set(id, std::move(text));
}

// The leading "digits[.digits]" of a text in ASCII, as TextValue reads it;
// empty when the text does not start with an ASCII digit.
std::string LeadingDecimal(const Text& text) {
  std::string number;
  bool point = false;
  for (const char16_t unit : text) {
    const bool digit = unit >= u'0' && unit <= u'9';
    if (!digit && (unit != u'.' || point || number.empty())) break;
    point = point || !digit;
    number.push_back(static_cast<char>(unit));
  }
  if (!number.empty() && number.back() == '.') number.pop_back();
  return number;
}

// Both ways between decimals and doubles (from_chars/to_chars, and the
// strtod/printf one that builds without them) agree on every field's text
// and on the value it reads as.
void CheckConversionPaths(const WatchedFields& fields) {
#if LUMIVAR_HAS_FLOAT_CHARCONV
  using lumivar::conversion::Path;
  for (FieldId id : kAllFields) {
    const std::string number = LeadingDecimal(fields.Get(id));
    if (!number.empty() && lumivar::conversion::ParseDecimal(number, Path::Charconv) !=
                               lumivar::conversion::ParseDecimal(number, Path::Printf)) {
      Breach("TextValue", id, "reads differently without from_chars");
    }
    const double value = lumivar::TextValue(fields.Get(id));
    if (value != 0.0 && std::isfinite(value) &&
        lumivar::conversion::ShortestFixed(value, Path::Charconv) !=
            lumivar::conversion::ShortestFixed(value, Path::Printf)) {
      Breach("NumberText", id, "writes its value differently without to_chars");
    }
  }
#else
  (void)fields;
#endif
}

void StartForecastAndCheck(WatchedFields& fields) {
  std::array<Text, lumivar::kFieldCount> before;
  for (FieldId id : kAllFields) before[lumivar::FieldIndex(id)] = fields.Get(id);
  fields.ForgetWrites();
  lumivar::StartForecast(fields);
  Trace([] { return std::string("StartForecast"); });
  for (FieldId id : kAllFields) Trace([&] { return "  " + Named(id, fields.Get(id)); });
  CheckForecast(fields, before);
  CheckConversionPaths(fields);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // A fresh field set, any field of which the input may overwrite.
  WatchedFields fields;
  for (FieldId id : kAllFields) {
    if (in.ConsumeBool()) {
      fields.Set(id, ConsumeText(in));
      Trace([&] { return "start " + Named(id, fields.Get(id)); });
    }
  }
  const Text banner = fields.Get(Text12);

  for (int steps = 0; steps < 100 && in.remaining_bytes() > 0; ++steps) {
    const int operation = in.ConsumeIntegralInRange(0, 5);
    if (operation == 0) {
      StartForecastAndCheck(fields);
    } else if (operation == 1) {
      lumivar::ClearData(fields);
      Trace([] { return std::string("ClearData"); });
      CheckClear(fields, banner);
    } else {
      EditField(in, fields, operation - 2);  // set, insert, delete, replace
    }
  }
  StartForecastAndCheck(fields);  // every input ends with a checked forecast
  return 0;
}

#include "logic/forecast.h"

#include "logic/value_conversions.h"

namespace lumivar {
namespace {

using enum FieldId;

double ValueOf(const FieldSet& fields, FieldId id) {
  return TextValue(fields.Get(id));
}

// The most extreme character of `text` in one direction, starting from
// `start`: with Greater it finds the largest, with Less the smallest.
Text ScanExtreme(std::u16string_view text, Text start, std::strong_ordering wanted) {
  Text extreme = std::move(start);
  for (std::size_t i = 1; i <= text.size(); ++i) {
    Text c = CharAt(text, i);
    if (CompareChars(c, extreme) == wanted) extreme = std::move(c);
  }
  return extreme;
}

void WriteSumTail(FieldSet& fields) {
  const double sum = ValueOf(fields, Text1) + ValueOf(fields, Text2) + ValueOf(fields, Text3);
  fields.Set(Text4, LastChar(sum));
}

void WriteJoinedInputs(FieldSet& fields) {
  fields.Set(Text10, fields.Get(Text1) + fields.Get(Text2) + fields.Get(Text3));
}

// With no input at all there is no largest or smallest digit; both are
// emptied so that nothing from an earlier draw leaks into this run.
void WriteExtremes(FieldSet& fields) {
  const Text joined = fields.Get(Text10);
  if (joined.empty()) {
    fields.Set(Text5, Text());
    fields.Set(Text6, Text());
    return;
  }
  fields.Set(Text5, ScanExtreme(joined, NumberText(0), std::strong_ordering::greater));
  fields.Set(Text6, ScanExtreme(joined, NumberText(9), std::strong_ordering::less));
}

void WriteSpanAndSelector(FieldSet& fields) {
  fields.Set(Text7, NumberText(ValueOf(fields, Text5) - ValueOf(fields, Text6)));
  fields.Set(Text8, NumberText(ValueOf(fields, Text7) + ValueOf(fields, Text4)));
}

// A selector that is no single digit has no banker line; the box is emptied
// rather than left showing the line of an earlier draw.
void WriteBankerLine(FieldSet& fields) {
  bool matched = false;
  for (const BankerEntry& entry : BankerTable) {
    if (fields.Get(Text8) == entry.key) {
      fields.Set(Text11, Text(entry.line));
      matched = true;
    }
  }
  if (!matched) fields.Set(Text11, Text());
}

void WriteKillNumbers(FieldSet& fields) {
  fields.Set(Text9, NumberText(9 - ValueOf(fields, Text4)));
  fields.Set(Text13_0, NumberText(9 - ValueOf(fields, Text7)));
  fields.Set(Text13_1, LastChar(ValueOf(fields, Text3) + 4));
}

}  // namespace

void StartForecast(FieldSet& fields) {
  WriteSumTail(fields);
  WriteJoinedInputs(fields);
  WriteExtremes(fields);
  WriteSpanAndSelector(fields);
  WriteBankerLine(fields);
  WriteKillNumbers(fields);
}

void ClearData(FieldSet& fields) {
  for (const FieldId id : kEditableFields) fields.Set(id, Text());
}

FocusRequest AdvanceFocus(FieldId field, std::u16string_view text) {
  if (text.size() != 1 || !AdvancesFocus(field)) return std::nullopt;
  // The input boxes are Text1, Text2 and Text3, in that order.
  return static_cast<FieldId>(FieldIndex(field) + 1);
}

}  // namespace lumivar

// Prints what the forecast core leaves in every field after each draw from
// 000 to 999 on an emptied record, as JSON: {"000": [text of field 0, …], …},
// the texts in field order. The browser checks compare the page with it.
#include <cstdio>
#include <string>

#include "logic/forecast.h"
#include "logic/forecast_fields.h"

namespace {

// A JSON string; every unit past ASCII as \uXXXX.
std::string Quoted(const lumivar::Text& text) {
  std::string out = "\"";
  for (const char16_t unit : text) {
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit < 0x20 || unit > 0x7E) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
      out += escape;
    } else {
      out += static_cast<char>(unit);
    }
  }
  return out + "\"";
}

}  // namespace

int main() {
  std::string json = "{";
  for (int draw = 0; draw < 1000; ++draw) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", draw);
    lumivar::ForecastFields fields;
    lumivar::ClearData(fields);
    fields.Set(lumivar::FieldId::Text1, lumivar::Text(1, static_cast<char16_t>(digits[0])));
    fields.Set(lumivar::FieldId::Text2, lumivar::Text(1, static_cast<char16_t>(digits[1])));
    fields.Set(lumivar::FieldId::Text3, lumivar::Text(1, static_cast<char16_t>(digits[2])));
    lumivar::StartForecast(fields);
    json += (draw > 0 ? ",\"" : "\"") + std::string(digits) + "\":[";
    for (const lumivar::FieldId id : lumivar::kAllFields) {
      if (lumivar::FieldIndex(id) > 0) json += ',';
      json += Quoted(fields.Get(id));
    }
    json += ']';
  }
  std::puts((json + "}").c_str());
  return 0;
}

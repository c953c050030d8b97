// Prints what the forecast core leaves in every field after each draw from
// 000 to 999 on an emptied record, as JSON: {"000": [text of field 0, …], …},
// the texts in field order. The browser checks compare the page with it.
#include <array>
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
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(unit));
      out += escape.data();
    } else {
      out += static_cast<char>(unit);
    }
  }
  return out + "\"";
}

}  // namespace

int main() {
  using lumivar::FieldId;
  constexpr std::array kDraw = {FieldId::Text1, FieldId::Text2, FieldId::Text3};
  std::string json = "{";
  for (int draw = 0; draw < 1000; ++draw) {
    std::array<char, 8> digits{};
    std::snprintf(digits.data(), digits.size(), "%03d", draw);
    lumivar::ForecastFields fields;
    lumivar::ClearData(fields);
    for (std::size_t i = 0; i < kDraw.size(); ++i) {
      fields.Set(kDraw.at(i), lumivar::Text(1, static_cast<char16_t>(digits.at(i))));
    }
    lumivar::StartForecast(fields);
    json += std::string(draw > 0 ? "," : "") + "\"" + digits.data() + "\":[";
    for (const FieldId id : lumivar::kAllFields) {
      if (lumivar::FieldIndex(id) > 0) json += ',';
      json += Quoted(fields.Get(id));
    }
    json += ']';
  }
  std::puts((json + "}").c_str());
  return 0;
}

// Prints what the forecast core leaves in every field after each draw from
// 000 to 999 on an emptied record, as JSON: {"000": [text of field 0, …], …},
// the texts in field order. The browser checks compare the page with it.
#include <array>
#include <cstdio>
#include <string>

#include "logic/forecast.h"
#include "logic/forecast_fields.h"
#include "web/json.h"

int main() {
  using lumivar::FieldId;
  using lumivar::kDrawFields;
  std::string json = "{";
  for (int draw = 0; draw < 1000; ++draw) {
    std::array<char, 8> digits{};
    std::snprintf(digits.data(), digits.size(), "%03d", draw);
    lumivar::ForecastFields fields;
    lumivar::ClearData(fields);
    for (std::size_t i = 0; i < kDrawFields.size(); ++i) {
      fields.Set(kDrawFields.at(i), lumivar::Text(1, static_cast<char16_t>(digits.at(i))));
    }
    lumivar::StartForecast(fields);
    json += std::string(draw > 0 ? "," : "") + "\"" + digits.data() + "\":[";
    for (const FieldId id : lumivar::kAllFields) {
      if (lumivar::FieldIndex(id) > 0) json += ',';
      json += lumivar::web::Utf8(lumivar::web::JsonString(fields.Get(id)));
    }
    json += ']';
  }
  std::puts((json + "}").c_str());
  return 0;
}

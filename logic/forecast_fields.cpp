#include "logic/forecast_fields.h"

#include <utility>

namespace lumivar {

std::string_view FieldName(FieldId id) {
  static constexpr std::array<std::string_view, kFieldCount> kNames = {
      "Text1", "Text2", "Text3",  "Text4",  "Text5",  "Text6",     "Text7",
      "Text8", "Text9", "Text10", "Text11", "Text12", "Text13(0)", "Text13(1)",
  };
  return kNames.at(FieldIndex(id));
}

ForecastFields::ForecastFields() {
  texts_[FieldIndex(FieldId::Text12)] = Text(kBannerText);
}

Text ForecastFields::Get(FieldId id) const {
  return texts_.at(FieldIndex(id));
}

void ForecastFields::Set(FieldId id, Text text) {
  texts_.at(FieldIndex(id)) = std::move(text);
}

}  // namespace lumivar

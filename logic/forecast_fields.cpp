#include "logic/forecast_fields.h"

#include <utility>

namespace lumivar {

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

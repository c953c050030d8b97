#pragma once

#include <QLineEdit>

#include <array>

#include "logic/forecast_fields.h"

namespace lumivar::ui {

// The window's edit boxes seen as the field set the forecast works on.
// A write replaces the box's text whole, past any entry limit, and raises the
// box's textChanged as a user edit would.
class FieldBoxes final : public FieldSet {
 public:
  explicit FieldBoxes(const std::array<QLineEdit*, kFieldCount>& boxes);

  Text Get(FieldId id) const override;
  void Set(FieldId id, Text text) override;

  QLineEdit* Box(FieldId id) const { return boxes_.at(FieldIndex(id)); }

 private:
  std::array<QLineEdit*, kFieldCount> boxes_;
};

}  // namespace lumivar::ui

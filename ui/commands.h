#pragma once

#include "logic/forecast_fields.h"
#include "ui/layout_table.h"

namespace lumivar::ui {

// Runs a button's operation on the field set, the same in every window:
// StartForecast or ClearData. Returns false for ExitProgram, which each
// window carries out its own way.
bool RunOnFields(Command command, FieldSet& fields);

}  // namespace lumivar::ui

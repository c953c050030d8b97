#pragma once

#include <cstddef>

#include "logic/forecast_fields.h"

namespace lumivar::ui {

// What clicking a button runs.
enum class Command { StartForecast, ClearData, ExitProgram };
inline constexpr std::size_t kCommandCount = 3;

// What a window does itself once a button's command has run.
enum class AfterCommand { Nothing, ExitProgram };

// Runs a button's command on the field set, the same in every window:
// StartForecast and ClearData run here; for 退出系统 the window runs its own
// ExitProgram, as the result says.
AfterCommand RunCommand(Command command, FieldSet& fields);

}  // namespace lumivar::ui

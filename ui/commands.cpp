#include "ui/commands.h"

#include "logic/forecast.h"

namespace lumivar::ui {

bool RunOnFields(Command command, FieldSet& fields) {
  switch (command) {
    case Command::StartForecast:
      StartForecast(fields);
      return true;
    case Command::ClearData:
      ClearData(fields);
      return true;
    case Command::ExitProgram:
      break;
  }
  return false;
}

}  // namespace lumivar::ui

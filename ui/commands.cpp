#include "ui/commands.h"

#include "logic/forecast.h"

namespace lumivar::ui {

AfterCommand RunCommand(Command command, FieldSet& fields) {
  switch (command) {
    case Command::StartForecast:
      StartForecast(fields);
      break;
    case Command::ClearData:
      ClearData(fields);
      break;
    case Command::ExitProgram:
      return AfterCommand::ExitProgram;
  }
  return AfterCommand::Nothing;
}

}  // namespace lumivar::ui

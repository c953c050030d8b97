#pragma once

#include "logic/forecast_fields.h"

namespace lumivar::web {

// The window's design as JSON, for the script that builds the page: every
// row of the layout table (geometry, colours, fonts, captions, limits, masks,
// focus order, accessible names, resources), the bundled faces that stand in
// for the design faces, and the page's own texts.
Text DesignJson();

}  // namespace lumivar::web

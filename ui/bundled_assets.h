#pragma once

#include <QString>

#include <string_view>

namespace lumivar::ui {

// Makes the bundled resources and fonts available, once per application
// object: the picture and icon, and the font subsets that stand in for the
// design faces where the machine lacks them.
void LoadBundledAssets();

// Where a file of resources/ is found at run time, e.g. "images/portrait.jpg".
QString ResourcePath(std::string_view name);

}  // namespace lumivar::ui

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <string_view>

namespace lumivar::ui {

// Makes the bundled resources, fonts and translation available, once per
// application object: the picture and icon; the font subsets that stand in
// for the design faces where the machine lacks them; and Qt's own texts (an
// edit box's context menu) in Simplified Chinese, whatever the locale.
void LoadBundledAssets();

// Where a file of resources/ is found at run time, e.g. "images/portrait.jpg".
QString ResourcePath(std::string_view name);

// A bundled image drawn sharp on the screens the application has: on a
// screen that scales by more than 1 the twice-as-large variant ("name@2x"),
// marked with its pixel ratio, where it exists; otherwise the image itself.
QPixmap BundledImage(std::string_view name);

// A bundled icon, with its twice-as-large variant on such screens.
QIcon BundledIcon(std::string_view name);

}  // namespace lumivar::ui

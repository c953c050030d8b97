#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

#include "ui/layout_table.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lumivar::ui {

class FrameBox;
class MaskStyle;

// The layout table's plain values as Qt's.
inline QRect ToQRect(const Rect& r) {
  return {r.left, r.top, r.width, r.height};
}
inline QColor ToQColor(Rgb rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}
inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString ToQString(std::string_view latin1) {
  return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

// The bold face of the design in its point size.
QFont DesignFont(const FontStyle& style);

// Gives the control the row's text and ground colours.
void ApplyColours(QWidget* widget, ControlKind kind, const Colours& colours);

// The controls of each kind, as the row describes them. Placing, naming,
// colours and font are the caller's, the same for every kind.
FrameBox* CreateFrame(const ControlRow& row, QWidget* parent);
QLineEdit* CreateEditBox(const ControlRow& row, QWidget* parent, MaskStyle* mask_style);
QPushButton* CreateButton(const ControlRow& row, QWidget* parent);
QLabel* CreatePicture(const ControlRow& row, QWidget* parent);

}  // namespace lumivar::ui

#include "ui/qt/controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "ui/qt/bundled_assets.h"
#include "ui/qt/entry_limit.h"
#include "ui/qt/frame_box.h"
#include "ui/qt/mask_style.h"

namespace lumivar::ui {
namespace {

// A button keeps the platform's colours instead of the navy ground around it.
void KeepPlatformColours(QWidget* widget) {
  const QPalette platform = QApplication::palette(widget);
  QPalette palette = widget->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Text}) {
      palette.setColor(group, role, platform.color(group, role));
    }
  }
  widget->setPalette(palette);
}

}  // namespace

QFont DesignFont(const FontStyle& style) {
  QFont font(ToQString(FamilyName(style.face)));
  font.setPointSizeF(style.point_size);
  font.setBold(true);
  return font;
}

void ApplyColours(QWidget* widget, ControlKind kind, const Colours& colours) {
  const QColor text = ToQColor(colours.text);
  const QColor ground = ToQColor(colours.ground);
  QPalette palette = widget->palette();
  if (kind == ControlKind::EditBox) {
    palette.setColor(QPalette::Base, ground);
    palette.setColor(QPalette::Text, text);
  } else {
    palette.setColor(QPalette::Window, ground);
    palette.setColor(QPalette::WindowText, text);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

FrameBox* CreateFrame(const ControlRow& row, QWidget* parent) {
  return new FrameBox(ToQString(row.caption), parent);
}

QLineEdit* CreateEditBox(const ControlRow& row, QWidget* parent, MaskStyle* mask_style) {
  auto* box = new QLineEdit(parent);
  // The font before the text: a box made with its text lays it out at once in
  // the application font, and for Chinese text that font has no glyphs, so
  // Qt would search the system's fonts and map a CJK face only to drop it.
  if (row.font) box->setFont(DesignFont(*row.font));
  box->setText(ToQString(row.caption));
  box->setAlignment(Qt::AlignCenter);
  if (row.entry_limit) {
    box->setValidator(new EntryLimitValidator(static_cast<std::size_t>(*row.entry_limit), box));
  }
  if (row.masked) MaskBox(box, mask_style);
  if (!row.enabled) {
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
  }
  return box;
}

// Buttons take the focus when clicked, and none is a default button, so
// Enter and Escape press nothing.
QPushButton* CreateButton(const ControlRow& row, QWidget* parent) {
  auto* button = new QPushButton(ToQString(row.caption), parent);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  button->setDefault(false);
  KeepPlatformColours(button);
  return button;
}

QLabel* CreatePicture(const ControlRow& row, QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setPixmap(BundledImage(row.resource));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

}  // namespace lumivar::ui

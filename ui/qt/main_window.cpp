#include "ui/qt/main_window.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/commands.h"
#include "ui/qt/bundled_assets.h"
#include "ui/qt/controls.h"
#include "ui/qt/field_boxes.h"
#include "ui/qt/frame_box.h"
#include "ui/qt/mask_style.h"

using lumivar::FieldId;
using lumivar::FieldSet;
using lumivar::FocusRequest;
using namespace lumivar::ui;

namespace {

// A screen reader must hear Form1 as a window with its title. Qt describes a
// top-level widget that is no QMainWindow or QDialog as a mere client area
// ("filler" on Linux desktops), so Form1 describes itself.
QAccessibleInterface* DescribeAsWindow(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(Form1::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

void InstallWindowDescription() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(DescribeAsWindow);
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  InstallWindowDescription();
  LoadBundledAssets();
  mask_style_ = std::make_unique<MaskStyle>();
  Boxes boxes{};
  Built built;
  for (const ControlRow& row : ControlTable()) {
    QWidget* widget = this;
    if (row.kind == ControlKind::Window) {
      SetUpWindow(row);
    } else {
      widget = CreateChild(row, built.at(row.parent), boxes);
      widget->setGeometry(ToQRect(row.geometry));
    }
    Decorate(widget, row);
    built.emplace(row.name, widget);
  }
  ChainTabStops(built);
  fields_ = std::make_unique<FieldBoxes>(boxes);
  ConnectHandlers();
  fields_->Box(FieldId::Text1)->setFocus();
}

Form1::~Form1() = default;

FieldSet& Form1::Fields() {
  return *fields_;
}

void Form1::SetUpWindow(const ControlRow& row) {
  setFixedSize(row.geometry.width, row.geometry.height);
  setWindowTitle(ToQString(row.caption));
  setWindowIcon(BundledIcon(row.resource));
}

QWidget* Form1::CreateChild(const ControlRow& row, QWidget* parent, Boxes& boxes) {
  switch (row.kind) {
    case ControlKind::Frame:
      return CreateFrame(row, parent);
    case ControlKind::EditBox: {
      QLineEdit* box = CreateEditBox(row, parent, mask_style_.get());
      boxes.at(FieldIndex(FieldOf(row).value())) = box;
      return box;
    }
    case ControlKind::Button: {
      QPushButton* button = CreateButton(row, parent);
      buttons_.at(static_cast<std::size_t>(CommandOf(row).value())) = button;
      return button;
    }
    case ControlKind::Picture:
      return CreatePicture(row, parent);
    case ControlKind::Window:
      break;
  }
  return nullptr;
}

void Form1::Decorate(QWidget* widget, const ControlRow& row) {
  widget->setObjectName(ToQString(row.name));
  widget->setAccessibleName(ToQString(row.accessible_name));
  if (row.colours) ApplyColours(widget, row.kind, *row.colours);
  if (row.font) widget->setFont(DesignFont(*row.font));
}

void Form1::ChainTabStops(const Built& built) {
  const auto stops = TabStops();
  for (std::size_t i = 1; i < stops.size(); ++i) {
    setTabOrder(built.at(stops[i - 1]->name), built.at(stops[i]->name));
  }
}

void Form1::ConnectHandlers() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const auto command = static_cast<Command>(i);
    connect(buttons_.at(i), &QPushButton::clicked, this, [this, command] {
      if (RunCommand(command, *fields_) == AfterCommand::ExitProgram) ExitProgram();
    });
  }
  for (const FieldId id : lumivar::kFocusAdvancingFields) {
    connect(fields_->Box(id), &QLineEdit::textChanged, this, [this, id](const QString& text) {
      MoveFocus(AdvanceFocus(id, text.toStdU16String()));
    });
  }
}

void Form1::MoveFocus(FocusRequest request) {
  if (request) fields_->Box(*request)->setFocus();
}

// Ends the program at once with exit status 0; nothing is kept, so nothing
// needs saving or confirming.
void Form1::ExitProgram() {
  QCoreApplication::exit(0);
}

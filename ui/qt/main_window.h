#pragma once

#include <QWidget>

#include <array>
#include <map>
#include <memory>
#include <string_view>

#include "logic/forecast.h"
#include "logic/forecast_fields.h"
#include "ui/commands.h"
#include "ui/layout_table.h"

class QLineEdit;
class QPushButton;

namespace lumivar::ui {
class FieldBoxes;
class MaskStyle;
}  // namespace lumivar::ui

// The program's one window. It builds itself, with its fonts, icon and
// picture, from the layout table, and hands its three buttons' clicks to
// RunCommand and the text changes of kFocusAdvancingFields to AdvanceFocus.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // The window's edit boxes as the field set the operations run on.
  lumivar::FieldSet& Fields();

 private:
  using Boxes = std::array<QLineEdit*, lumivar::kFieldCount>;
  // The controls built so far by name: parents for their children, and the
  // links of the tab chain. Used only while the window is built.
  using Built = std::map<std::string_view, QWidget*>;

  void SetUpWindow(const lumivar::ui::ControlRow& row);
  QWidget* CreateChild(const lumivar::ui::ControlRow& row, QWidget* parent, Boxes& boxes);
  void Decorate(QWidget* widget, const lumivar::ui::ControlRow& row);
  static void ChainTabStops(const Built& built);
  void ConnectHandlers();
  void MoveFocus(lumivar::FocusRequest request);
  static void ExitProgram();

  std::unique_ptr<lumivar::ui::MaskStyle> mask_style_;
  std::unique_ptr<lumivar::ui::FieldBoxes> fields_;
  std::array<QPushButton*, lumivar::ui::kCommandCount> buttons_{};
};

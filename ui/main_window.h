#pragma once

#include <QWidget>

#include <memory>

#include "logic/forecast.h"
#include "logic/forecast_fields.h"

namespace lumivar::ui {
class FieldBoxes;
class MaskStyle;
struct ControlRow;
}  // namespace lumivar::ui

// The program's one window. It builds itself, with its fonts, icon and
// picture, from the layout table, and wires the five handlers: the three
// buttons and the text changes of Text1 and Text2.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // The window's edit boxes as the field set the operations run on.
  lumivar::FieldSet& Fields();

 private:
  void BuildControl(const lumivar::ui::ControlRow& row);
  void SetUpWindow(const lumivar::ui::ControlRow& row);
  QWidget* CreateChild(const lumivar::ui::ControlRow& row, QWidget* parent);
  void SetUpTabOrder();
  void ConnectHandlers();
  void MoveFocus(lumivar::FocusRequest request);
  void ExitProgram();

  std::unique_ptr<lumivar::ui::MaskStyle> mask_style_;
  std::unique_ptr<lumivar::ui::FieldBoxes> fields_;
};

#pragma once

#include <QLineEdit>
#include <QProxyStyle>

namespace lumivar::ui {

// The application's own style, except that a password box shows '*' for
// every UTF-16 unit of its text, at once, instead of the platform's bullet.
class MaskStyle final : public QProxyStyle {
 public:
  MaskStyle();

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* return_data) const override;
};

// Makes the box show its text masked. The stored text stays as it is, and a
// masked box lets nobody copy, cut or drag it out.
void MaskBox(QLineEdit* box, MaskStyle* style);

}  // namespace lumivar::ui

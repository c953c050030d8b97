#pragma once

#include <QGroupBox>

namespace lumivar::ui {

// A group box drawn the classic way: an etched line around the zone with the
// caption set into its top edge, on a ground of exactly the box's own colour.
// (The platform styles draw the caption above the line and shade the inside.)
class FrameBox final : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lumivar::ui

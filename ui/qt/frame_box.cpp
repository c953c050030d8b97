#include "ui/qt/frame_box.h"

#include <QFontInfo>
#include <QPainter>

namespace lumivar::ui {
namespace {

constexpr int kCaptionIndent = 8;   // from the frame's left edge to the caption's gap
constexpr int kCaptionPadding = 2;  // blank space either side of the caption in the line

}  // namespace

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The caption's band is one em high, the line height of the design face
  // 宋体, whichever face draws it: the bundled stand-in has taller lines,
  // which would push the line and the caption down.
  const int band = QFontInfo(font()).pixelSize();
  const QRect line = rect().adjusted(0, band / 2, -2, -2);

  // Etched: a shadow line with a light line one pixel below and right of it.
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(line);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(line.translated(1, 1));

  const int caption_width = metrics.horizontalAdvance(title()) + 2 * kCaptionPadding;
  const QRect caption(kCaptionIndent, 0, caption_width, band);
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace lumivar::ui

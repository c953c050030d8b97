#include "ui/frame_box.h"

#include <QPainter>

namespace lumivar::ui {
namespace {

constexpr int kCaptionIndent = 8;   // from the frame's left edge to the caption's gap
constexpr int kCaptionPadding = 2;  // blank space either side of the caption in the line

}  // namespace

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QRect line = rect().adjusted(0, metrics.height() / 2, -2, -2);

  // Etched: a shadow line with a light line one pixel below and right of it.
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(line);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(line.translated(1, 1));

  const int caption_width = metrics.horizontalAdvance(title()) + 2 * kCaptionPadding;
  const QRect caption(kCaptionIndent, 0, caption_width, metrics.height());
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace lumivar::ui

// The yardstick for start-up time and memory: an empty Qt Widgets window of
// the same client size as Form1, with nothing in it.
#include <QApplication>
#include <QWidget>

#include "ui/layout_table.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare_window"));
  const lumivar::ui::Rect& client = lumivar::ui::WindowRow().geometry;
  window.setFixedSize(client.width, client.height);
  window.show();
  return QApplication::exec();
}

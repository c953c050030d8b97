// A second yardstick, for reference only: the bare window with the least
// that any window with an edit box needs, one QLineEdit holding one digit in
// the platform's default font. An edit box lays its text out when it is
// made, so this window initialises the font system before it is mapped, and,
// having a child widget, sets up the accessibility bridge before it is
// mapped too; the bare window does both only after it is mapped.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include "ui/layout_table.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("edit_window"));
  const lumivar::ui::Rect& client = lumivar::ui::WindowRow().geometry;
  window.setFixedSize(client.width, client.height);
  auto* box = new QLineEdit(QStringLiteral("0"), &window);
  box->setGeometry(8, 8, 41, 33);
  window.show();
  return QApplication::exec();
}

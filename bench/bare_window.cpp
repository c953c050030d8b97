// The yardstick for start-up time and memory: an empty Qt Widgets window of
// the same client size as Form1, with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare_window"));
  window.setFixedSize(490, 434);
  window.show();
  return QApplication::exec();
}

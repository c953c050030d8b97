#include <QApplication>

#include "app/startup_guard.h"
#include "ui/qt/main_window.h"

int main(int argc, char* argv[]) {
  StartupGuard guard;
  QApplication app(argc, argv);
  guard.Started();
  Form1 form;
  form.show();
  return QApplication::exec();
}

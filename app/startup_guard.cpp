#include "app/startup_guard.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct HeldMessage {
  QtMsgType type;
  const char* category;  // a literal, so it outlives the message
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

QtMessageHandler previous_handler = nullptr;

// Whether a message Qt logged while starting says that the display is
// missing or refuses the connection (X11 or Wayland).
bool SaysNoDisplay(const char* category, const QString& text) {
  const bool from_xcb = category != nullptr && std::strcmp(category, "qt.qpa.xcb") == 0;
  return (from_xcb && text.startsWith(QLatin1String("could not connect to display"))) ||
         text.startsWith(QLatin1String("Failed to create wl_display"));
}

void PrintLine(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

[[noreturn]] void FailToStart(const QString& fatal) {
  bool no_display = false;
  for (const HeldMessage& message : Held()) {
    no_display = no_display || SaysNoDisplay(message.category, message.text);
  }
  if (no_display) {
    std::fprintf(stderr, "%s\n", kNoDisplayMessage);
  } else {
    std::fprintf(stderr, "%s\n", kCannotOpenMessage);
    for (const HeldMessage& message : Held()) PrintLine(message.text);
    PrintLine(fatal.trimmed());
  }
  std::fflush(stderr);
  std::_Exit(1);
}

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) FailToStart(text);
  Held().push_back({type, context.category, text});
}

}  // namespace

StartupGuard::StartupGuard() {
  previous_handler = qInstallMessageHandler(HoldOrFail);
}

StartupGuard::~StartupGuard() {
  Started();
}

void StartupGuard::Started() {
  if (qInstallMessageHandler(previous_handler) != HoldOrFail) return;
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category);
    qt_message_output(message.type, context, message.text);
  }
  Held().clear();
}

#include "app/startup_guard.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
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

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", kNoDisplayMessage);
    std::fflush(stderr);
    std::_Exit(1);
  }
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

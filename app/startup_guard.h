#pragma once

// Guards the creation of the application object. When Qt cannot start, it
// reports a fatal error and aborts with a core dump; instead the program
// exits with status 1 after saying why on stderr:
//  - with no display, or one that refuses it, one line in Chinese and
//    English that says so (kNoDisplayMessage);
//  - for any other reason (a platform plugin that is missing or cannot
//    load, say), a line that says the window could not be opened
//    (kCannotOpenMessage), followed by Qt's own messages.
// Messages Qt logs while it starts are held back and passed on once the
// application object exists.
class StartupGuard {
 public:
  StartupGuard();
  ~StartupGuard();

  StartupGuard(const StartupGuard&) = delete;
  StartupGuard& operator=(const StartupGuard&) = delete;

  // The application object exists: pass on what was held back and let Qt's
  // own message handling take over again.
  void Started();
};

inline constexpr const char* kNoDisplayMessage =
    "lumivar: 无法打开窗口，没有可用的图形显示。 Cannot open the window: no display is available.";
inline constexpr const char* kCannotOpenMessage =
    "lumivar: 无法打开窗口。 Cannot open the window. Qt reports:";

#pragma once

// Guards the creation of the application object. Without a display Qt
// reports a fatal error and aborts with a core dump; instead the program
// prints one line that says so, in Chinese and English, and exits with
// status 1. Messages Qt logs while it starts are held back and passed on
// once the application object exists, so a failed start prints only that
// line.
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

// The line printed when no window can be opened.
inline constexpr const char* kNoDisplayMessage =
    "lumivar: 无法打开窗口，没有可用的图形显示。 Cannot open the window: no display is available.";

// Starts a program and reports how long it took until its top-level window
// was mapped on the X display, then closes that window the way a window
// manager would and waits for the program to end.
//
//   map_probe [--title TITLE] [--settle-ms N] [--timeout-ms N] -- PROGRAM [ARGS...]
//
// The clock starts just before fork() and stops when the X server reports
// the MapNotify of the window (selected on the root window, so nothing polls).
// Without a window manager the program's top-level window is a child of the
// root window, which is what this relies on. With --title only a window with
// that title counts. After --settle-ms (default 300) of letting the program
// paint, it gets WM_DELETE_WINDOW. Prints one line:
//   map_ms=<float> exit=<status> maxrss_kb=<peak RSS of the program's process tree>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string title;
  int settle_ms = 300;
  int timeout_ms = 20000;
  std::vector<char*> command;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "map_probe: %s\n", message.c_str());
  std::exit(2);
}

std::optional<Options> ParseOptions(std::span<char*> args) {
  Options options;
  std::size_t i = 1;
  for (; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    if (arg == "--title") {
      options.title = args[++i];
    } else if (arg == "--settle-ms") {
      options.settle_ms = std::atoi(args[++i]);
    } else if (arg == "--timeout-ms") {
      options.timeout_ms = std::atoi(args[++i]);
    } else {
      return std::nullopt;
    }
  }
  for (; i < args.size(); ++i) options.command.push_back(args[i]);
  if (options.command.empty()) return std::nullopt;
  options.command.push_back(nullptr);
  return options;
}

// The window's title: _NET_WM_NAME (UTF-8) when set, else WM_NAME.
std::string WindowTitle(Display* display, Window window) {
  const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
      title = name;
      XFree(name);
    }
  }
  return title;
}

// Waits until the X connection has an event or the deadline passes.
bool WaitForEvent(Display* display, Clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
  }
  return true;
}

struct MappedWindow {
  Window window;
  Clock::time_point when;
};

// The first top-level window that gets mapped (with the wanted title), and
// when its MapNotify arrived: the title is read only after the clock stops.
std::optional<MappedWindow> WaitForMappedWindow(Display* display, const Options& options,
                                                Clock::time_point deadline) {
  while (WaitForEvent(display, deadline)) {
    XEvent event;
    XNextEvent(display, &event);
    const Clock::time_point when = Clock::now();
    if (event.type != MapNotify || event.xmap.override_redirect) continue;
    const Window window = event.xmap.window;
    if (options.title.empty() || WindowTitle(display, window) == options.title) {
      return MappedWindow{window, when};
    }
  }
  return std::nullopt;
}

// Lets the program run (and paint) for a while without reading its events.
void Settle(Display* display, int milliseconds) {
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (WaitForEvent(display, until)) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

void RequestClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

// Waits for the child to end, killing it if it does not end by the deadline.
int Reap(pid_t child, Clock::time_point deadline, rusage& usage) {
  int status = 0;
  while (true) {
    const pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) break;
    if (done < 0 && errno != EINTR) Fail("wait4 failed");
    if (Clock::now() > deadline) {
      kill(child, SIGKILL);
      wait4(child, &status, 0, &usage);
      break;
    }
    usleep(2000);
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::optional<Options> options =
      ParseOptions(std::span<char*>(argv, static_cast<std::size_t>(argc)));
  if (!options) {
    std::fprintf(stderr,
                 "usage: map_probe [--title T] [--settle-ms N] [--timeout-ms N] -- PROGRAM "
                 "[ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) Fail("cannot open the X display");
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child < 0) Fail("fork failed");
  if (child == 0) {
    execvp(options->command[0], options->command.data());
    std::perror("map_probe: exec");
    _exit(127);
  }

  const Clock::time_point deadline = start + std::chrono::milliseconds(options->timeout_ms);
  const std::optional<MappedWindow> mapped = WaitForMappedWindow(display, *options, deadline);
  if (mapped) {
    Settle(display, options->settle_ms);
    RequestClose(display, mapped->window);
  } else {
    kill(child, SIGTERM);
  }
  rusage usage{};
  const int exit_status = Reap(child, Clock::now() + std::chrono::seconds(10), usage);
  XCloseDisplay(display);
  if (!mapped) {
    std::fprintf(stderr, "map_probe: no window mapped within %d ms (exit %d)\n",
                 options->timeout_ms, exit_status);
    return 1;
  }
  const std::chrono::duration<double, std::milli> elapsed = mapped->when - start;
  std::printf("map_ms=%.3f exit=%d maxrss_kb=%ld\n", elapsed.count(), exit_status, usage.ru_maxrss);
  return 0;
}

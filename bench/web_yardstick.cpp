// The yardstick of the page's start-up (bench/web_startup.js): an emscripten
// page built with the page's flags that shows one edit box holding a digit
// in the same embedded Song face, with the cursor in it, and nothing else.
#include <emscripten/emscripten.h>

// clang-format off
EM_JS(void, js_show_box, (int digit), { yardstick.show(String(digit)); });
// clang-format on

extern "C" EMSCRIPTEN_KEEPALIVE void yardstick_start() {
  js_show_box(1);
}

// Writes the window's design (web/design.h) as UTF-8 JSON to the file named
// on the command line: the build step that lets the page's packer and every
// script that looks at a window from outside read the layout table instead
// of spelling it out again.
#include <cstdio>
#include <string>

#include "web/design.h"
#include "web/json.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: lumivar_write_design FILE\n", stderr);
    return 2;
  }
  const std::string json = lumivar::web::Utf8(lumivar::web::DesignJson()) + "\n";
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}

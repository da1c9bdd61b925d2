// Writes the window icon resource as a PNG with a see-through background, for
// the desktop entry of an installed game: zarn_make_icon <out.png>.
#include <cstdio>
#include <string>

#include "platform/os/png_writer.h"
#include "platform/os/window_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: zarn_make_icon <out.png>\n", stderr);
    return 2;
  }
  platform::os::Picture icon = platform::os::WindowIconPicture();
  std::string error;
  if (!platform::os::WritePng(argv[1], icon, &error, platform::os::kIconBackground)) {
    std::fprintf(stderr, "zarn_make_icon: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

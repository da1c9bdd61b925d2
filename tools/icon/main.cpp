// Draws the desktop icons of an installed game from the window icon
// resource, its green made see-through: a PNG for every size the desktop
// asks for and a scalable SVG, in the icon theme's folder layout.
//   zarn_make_icon <folder> <name>
// writes <folder>/<N>x<N>/apps/<name>.png and <folder>/scalable/apps/<name>.svg.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/png_writer.h"
#include "platform/os/window_icon.h"

namespace {

using platform::os::Picture;

// Nearest pixel: the icon is pixel art, and blending would smear its green
// background into the edges.
Picture Resized(const Picture& from, int size) {
  Picture to;
  to.width = to.height = size;
  to.pixels.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      to.pixels[static_cast<std::size_t>(y) * size + x] =
          from.pixels[static_cast<std::size_t>(y * from.height / size) * from.width + x * from.width / size];
  return to;
}

// One rectangle per run of a colour along a row: exact at any scale.
std::string Svg(const Picture& icon) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(icon.width) + "\" height=\"" + std::to_string(icon.height) + "\" viewBox=\"0 0 " +
                    std::to_string(icon.width) + " " + std::to_string(icon.height) +
                    "\" shape-rendering=\"crispEdges\">\n";
  for (int y = 0; y < icon.height; ++y)
    for (int x = 0; x < icon.width;) {
      const std::uint32_t c = icon.pixels[static_cast<std::size_t>(y) * icon.width + x];
      int end = x + 1;
      while (end < icon.width && icon.pixels[static_cast<std::size_t>(y) * icon.width + end] == c) ++end;
      if (c != platform::os::kIconBackground) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06x", static_cast<unsigned>(c & 0xFFFFFF));
        svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(end - x) + "\" height=\"1\" fill=\"" + colour + "\"/>\n";
      }
      x = end;
    }
  return svg + "</svg>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: zarn_make_icon <folder> <name>\n", stderr);
    return 2;
  }
  const Picture icon = platform::os::WindowIconPicture();
  if (icon.width <= 0 || icon.height <= 0) {
    std::fputs("zarn_make_icon: the icon resource cannot be read\n", stderr);
    return 1;
  }
  const std::filesystem::path folder = argv[1];
  const std::string name = argv[2];
  std::error_code error;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string tag = std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(folder / tag / "apps", error);
    std::string why;
    if (!platform::os::WritePng((folder / tag / "apps" / (name + ".png")).string(), Resized(icon, size), &why,
                                platform::os::kIconBackground)) {
      std::fprintf(stderr, "zarn_make_icon: %s\n", why.c_str());
      return 1;
    }
  }
  std::filesystem::create_directories(folder / "scalable" / "apps", error);
  const std::filesystem::path svg = folder / "scalable" / "apps" / (name + ".svg");
  std::ofstream out(svg, std::ios::binary);
  out << Svg(icon);
  if (!out.flush()) {
    std::fprintf(stderr, "zarn_make_icon: %s cannot be written\n", svg.c_str());
    return 1;
  }
  return 0;
}

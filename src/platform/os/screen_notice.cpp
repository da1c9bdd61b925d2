#include "platform/os/screen_notice.h"

#include <algorithm>

#include "platform/os/dialog_view.h"
#include "platform/os/resources.h"

namespace platform::os {

namespace {

using font_layout::kAdvance;
using font_layout::kCellHeight;
using font_layout::kCellWidth;

constexpr int kWhiteRow = 4;
constexpr int kMargin = 4;
constexpr std::uint32_t kInk = 0xFFFFFF;

// The game's font has letters, digits and a little punctuation; a path needs
// four more marks, drawn as plain strokes in the same cell, two pixels thick
// so that a window scaled down keeps them.
void DrawMark(Picture& strip, int x, int y, char c) {
  auto dot = [&](int px, int py) {
    if (px >= 0 && py >= 0 && px < strip.width && py < strip.height)
      strip.pixels[static_cast<std::size_t>(py) * strip.width + px] = kInk;
  };
  const int bottom = y + kCellHeight - 3;
  switch (c) {
    case '/':
      for (int i = 0; i < kCellHeight - 2; ++i)
        dot(x + 2 + i * 6 / (kCellHeight - 2), bottom - i), dot(x + 3 + i * 6 / (kCellHeight - 2), bottom - i);
      break;
    case '.': dot(x + 4, bottom), dot(x + 5, bottom), dot(x + 4, bottom - 1), dot(x + 5, bottom - 1); break;
    case '-':
      for (int i = 2; i < 8; ++i) dot(x + i, y + kCellHeight / 2), dot(x + i, y + kCellHeight / 2 + 1);
      break;
    case '_':
      for (int i = 1; i < 9; ++i) dot(x + i, bottom), dot(x + i, bottom - 1);
      break;
    default: break;
  }
}

// Lines of at most `columns` characters, broken after a blank or a '/' where
// one is near enough to the end.
std::vector<std::string> Wrapped(const std::string& text, std::size_t columns) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.size(), start + columns);
    if (end < text.size()) {
      std::size_t cut = text.find_last_of(" /", end - 1);
      if (cut != std::string::npos && cut > start + columns / 2) end = cut + 1;
    }
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

}  // namespace

Picture ScreenNotice::Strip(int width) const {
  Picture strip;
  const int columns = (width - 2 * kMargin - (kCellWidth - kAdvance)) / kAdvance;
  if (text_.empty() || columns <= 0) return strip;
  const std::vector<std::string> lines = Wrapped(text_, static_cast<std::size_t>(columns));
  strip.width = width;
  strip.height = static_cast<int>(lines.size()) * kCellHeight + 2 * kMargin;
  strip.pixels.assign(static_cast<std::size_t>(strip.width) * strip.height, 0);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const int y = kMargin + static_cast<int>(l) * kCellHeight;
    for (std::size_t i = 0; i < lines[l].size(); ++i) {
      const int x = kMargin + static_cast<int>(i) * kAdvance;
      const char c = lines[l][i];
      if (font_layout::kCharset.find(c) != std::string_view::npos)
        DrawFontTextInto(strip, x, y, kWhiteRow, std::string(1, c));
      else
        DrawMark(strip, x, y, c);
    }
  }
  return strip;
}

}  // namespace platform::os

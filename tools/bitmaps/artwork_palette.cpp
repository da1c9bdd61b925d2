#include "artwork_palette.h"

#include <utility>

namespace bitmaps {

Palette ArtworkPalette() {
  Palette p = platform::surface::SystemPaletteEntries();
  p[kPanelBlue] = {50, 50, 255, 0};
  p[kPanelDarkBlue] = {0, 14, 196, 0};
  return p;
}

std::optional<int> ColourByName(const std::string& name) {
  namespace sc = platform::surface::system_colour;
  static const std::pair<const char*, int> kNames[] = {
      {"black", sc::kBlack},
      {"dark-red", 1},
      {"dark-green", sc::kDarkGreen},
      {"olive", 3},
      {"navy", 4},
      {"purple", 5},
      {"teal", 6},
      {"silver", 7},
      {"pale-green", 8},
      {"sky", 9},
      {"panel-blue", kPanelBlue},
      {"panel-dark-blue", kPanelDarkBlue},
      {"cream", 246},
      {"light-grey", 247},
      {"grey", sc::kGrey},
      {"red", sc::kRed},
      {"green", sc::kGreen},
      {"yellow", sc::kYellow},
      {"blue", sc::kBlue},
      {"magenta", 253},
      {"cyan", sc::kCyan},
      {"white", sc::kWhite},
  };
  for (const auto& [n, index] : kNames)
    if (name == n) return index;
  return std::nullopt;
}

}  // namespace bitmaps

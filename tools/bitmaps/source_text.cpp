#include "source_text.h"

#include <fstream>
#include <map>
#include <sstream>

#include "artwork_palette.h"

namespace bitmaps {

std::vector<SourceLine> ReadSourceLines(const std::string& path) {
  std::ifstream f(path);
  if (!f) throw SourceError(path + ": cannot open");
  std::vector<SourceLine> lines;
  std::string text;
  int number = 0;
  while (std::getline(f, text)) {
    ++number;
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    lines.push_back({number, text});
  }
  return lines;
}

void FailAt(const std::string& path, int line, const std::string& message) {
  throw SourceError(path + ":" + std::to_string(line) + ": " + message);
}

bool IsCommentOrBlank(const std::string& text) { return text.empty() || text.rfind("//", 0) == 0; }

PixelArt ReadPixelArt(const std::string& path) {
  std::map<char, int> colourOf;
  PixelArt art;
  bool inArt = false;
  for (const SourceLine& line : ReadSourceLines(path)) {
    if (!inArt) {
      if (IsCommentOrBlank(line.text)) continue;
      if (line.text == "art") {
        inArt = true;
        continue;
      }
      std::istringstream words(line.text);
      std::string keyword, symbol, colour;
      words >> keyword >> symbol >> colour;
      if (keyword != "key" || symbol.size() != 1 || colour.empty())
        FailAt(path, line.number, "expected 'key <character> <colour>' or 'art'");
      const auto index = ColourByName(colour);
      if (!index) FailAt(path, line.number, "unknown colour '" + colour + "'");
      colourOf[symbol[0]] = *index;
      continue;
    }
    if (line.text.empty()) break;  // the picture ends at the first blank line
    if (art.height == 0) art.width = int(line.text.size());
    if (int(line.text.size()) != art.width)
      FailAt(path, line.number,
             "row is " + std::to_string(line.text.size()) + " characters wide, the first was " +
                 std::to_string(art.width));
    for (char c : line.text) {
      const auto it = colourOf.find(c);
      if (it == colourOf.end()) FailAt(path, line.number, std::string("no key for '") + c + "'");
      art.indices.push_back(static_cast<std::uint8_t>(it->second));
    }
    ++art.height;
  }
  if (art.height == 0) throw SourceError(path + ": no picture after 'art'");
  return art;
}

}  // namespace bitmaps

#include "drawing_script.h"

#include <memory>
#include <sstream>

#include "artwork_palette.h"
#include "source_text.h"

namespace bitmaps {
namespace {

// Parses the words of one command, naming the line in every complaint.
class Words {
 public:
  Words(const std::string& path, const SourceLine& line) : path_(path), line_(line), in_(line.text) {}

  std::string Word(const char* what) {
    std::string w;
    if (!(in_ >> w)) Fail(std::string("missing ") + what);
    return w;
  }
  int Int(const char* what) {
    const std::string w = Word(what);
    try {
      std::size_t used = 0;
      const int v = std::stoi(w, &used);
      if (used == w.size()) return v;
    } catch (const std::exception&) {}
    Fail(std::string("bad ") + what + " '" + w + "'");
  }
  int Colour(const char* what) {
    const std::string w = Word(what);
    if (w == "none") return kNoColour;
    const auto index = ColourByName(w);
    if (!index) Fail("unknown colour '" + w + "'");
    return *index;
  }
  Point At(const char* what) {
    const std::string w = Word(what);
    const std::size_t comma = w.find(',');
    Point p;
    try {
      std::size_t usedX = 0, usedY = 0;
      p.x = std::stoi(w.substr(0, comma), &usedX);
      p.y = std::stoi(w.substr(comma + 1), &usedY);
      if (comma != std::string::npos && usedX == comma && usedY == w.size() - comma - 1) return p;
    } catch (const std::exception&) {}
    Fail(std::string("bad ") + what + " '" + w + "', expected x,y");
  }
  bool Done() {
    std::string w;
    return !(in_ >> w);
  }
  std::string Rest() {
    std::string rest;
    std::getline(in_ >> std::ws, rest);
    if (rest.empty()) Fail("missing text");
    return rest;
  }
  [[noreturn]] void Fail(const std::string& message) { FailAt(path_, line_.number, message); }

 private:
  const std::string& path_;
  const SourceLine& line_;
  std::istringstream in_;
};

std::vector<Point> ArrowCorners(Point tip, const std::string& direction, int length, Words& w) {
  // Drawn pointing up, then turned: (along, across) offsets from the tip.
  constexpr int kHead = 7, kHeadHalf = 6, kShaftHalf = 2;
  const Point shape[] = {{0, 0},
                         {kHeadHalf, kHead},
                         {kShaftHalf, kHead},
                         {kShaftHalf, length},
                         {-kShaftHalf, length},
                         {-kShaftHalf, kHead},
                         {-kHeadHalf, kHead}};
  std::vector<Point> corners;
  for (const Point& s : shape) {
    if (direction == "up")
      corners.push_back({tip.x + s.x, tip.y + s.y});
    else if (direction == "down")
      corners.push_back({tip.x - s.x, tip.y - s.y});
    else if (direction == "left")
      corners.push_back({tip.x + s.y, tip.y - s.x});
    else if (direction == "right")
      corners.push_back({tip.x - s.y, tip.y + s.x});
    else
      w.Fail("direction '" + direction + "' is not up, down, left or right");
  }
  return corners;
}

// A box with cut corners around the ink of `text` drawn at its cell origin.
std::vector<Point> LabelCorners(Point topLeft, std::size_t chars) {
  const int w = kPenAdvance * int(chars) + 5, h = 17, c = 2;
  const int x = topLeft.x, y = topLeft.y;
  return {{x + c, y},         {x + w - c, y}, {x + w, y + c}, {x + w, y + h - c},
          {x + w - c, y + h}, {x + c, y + h}, {x, y + h - c}, {x, y + c}};
}

}  // namespace

Canvas RunDrawingScript(const std::string& path, const std::map<char, Glyph>& glyphs) {
  std::unique_ptr<Canvas> canvas;
  for (const SourceLine& line : ReadSourceLines(path)) {
    if (IsCommentOrBlank(line.text)) continue;
    Words w(path, line);
    const std::string command = w.Word("command");
    if (command == "size") {
      if (canvas) w.Fail("size given twice");
      const int width = w.Int("width"), height = w.Int("height");
      if (width <= 0 || height <= 0 || width > 4096 || height > 4096) w.Fail("bad size");
      canvas = std::make_unique<Canvas>(width, height, w.Colour("background"));
      continue;
    }
    if (!canvas) w.Fail("the first command must be 'size'");
    const int cw = canvas->Width(), ch = canvas->Height();
    if (command == "poly") {
      const int fill = w.Colour("fill"), outline = w.Colour("outline");
      std::vector<Point> corners;
      std::istringstream rest(w.Rest());
      for (std::string p; rest >> p;) {
        SourceLine one{line.number, p};
        corners.push_back(Words(path, one).At("corner"));
      }
      if (corners.size() < 3) w.Fail("a polygon needs three corners");
      canvas->Paint(PolygonMask(cw, ch, corners), fill, outline);
    } else if (command == "disc") {
      const int fill = w.Colour("fill"), outline = w.Colour("outline");
      const Point centre = w.At("centre");
      canvas->Paint(DiscMask(cw, ch, centre, w.Int("radius")), fill, outline);
    } else if (command == "bar") {
      const int fill = w.Colour("fill"), outline = w.Colour("outline");
      const Point from = w.At("start"), to = w.At("end");
      canvas->Paint(BarMask(cw, ch, from, to, w.Int("thickness")), fill, outline);
    } else if (command == "arrow") {
      const int fill = w.Colour("fill"), outline = w.Colour("outline");
      const Point tip = w.At("tip");
      const std::string direction = w.Word("direction");
      const int length = w.Int("length");
      if (length < 9) w.Fail("arrows are at least 9 pixels long");
      canvas->Paint(PolygonMask(cw, ch, ArrowCorners(tip, direction, length, w)), fill, outline);
    } else if (command == "text") {
      const int colour = w.Colour("colour");
      if (colour == kNoColour) w.Fail("text needs a colour");
      const Point at = w.At("position");
      DrawText(*canvas, glyphs, at.x, at.y, w.Rest(), static_cast<std::uint8_t>(colour));
    } else if (command == "label") {
      const int text = w.Colour("text colour"), fill = w.Colour("fill"), outline = w.Colour("outline");
      if (text == kNoColour) w.Fail("text needs a colour");
      const Point at = w.At("position");
      const std::string words = w.Rest();
      canvas->Paint(PolygonMask(cw, ch, LabelCorners(at, words.size())), fill, outline);
      DrawText(*canvas, glyphs, at.x + 2, at.y + 2, words, static_cast<std::uint8_t>(text));
    } else {
      w.Fail("unknown command '" + command + "'");
    }
    if (command != "poly" && command != "text" && command != "label" && !w.Done())
      w.Fail("unexpected words at the end of the line");
  }
  if (!canvas) throw SourceError(path + ": no 'size' command");
  return std::move(*canvas);
}

}  // namespace bitmaps

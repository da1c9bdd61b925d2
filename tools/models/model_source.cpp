#include "model_source.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "primitives.h"

namespace models {

namespace {

class LineReader {
 public:
  LineReader(std::string path, int number, const std::string& text) : path_(std::move(path)), number_(number) {
    std::istringstream in(text);
    for (std::string word; in >> word;) words_.push_back(word);
  }

  [[noreturn]] void Fail(const std::string& message) const {
    throw SourceError(path_ + ":" + std::to_string(number_) + ": " + message);
  }

  bool Done() const { return next_ >= words_.size(); }
  const std::string& Peek() const {
    if (Done()) Fail("line ends too early");
    return words_[next_];
  }
  std::string Word() {
    const std::string w = Peek();
    ++next_;
    return w;
  }
  float Number() {
    const std::string w = Word();
    float value = 0;
    const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), value);
    if (error != std::errc() || end != w.data() + w.size() || !std::isfinite(value))
      Fail("'" + w + "' is not a number");
    // Far beyond any scene; keeps every later sum finite.
    if (std::fabs(value) > 1e5f) Fail("'" + w + "' is out of range");
    return value;
  }
  int Count(int min, int max) {
    const float v = Number();
    if (v != static_cast<int>(v) || v < min || v > max)
      Fail("count must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
    return static_cast<int>(v);
  }
  Axis AxisWord() {
    const std::string w = Word();
    if (w == "x") return Axis::kX;
    if (w == "y") return Axis::kY;
    if (w == "z") return Axis::kZ;
    Fail("axis must be x, y or z, not '" + w + "'");
  }
  Vec3 Point() {
    const float x = Number(), y = Number();
    return {x, y, Number()};
  }
  // Pairs after the ':' to the end of the line.
  std::vector<Point2> Pairs(std::size_t min) {
    if (Word() != ":") Fail("expected ':' before the points");
    std::vector<Point2> points;
    while (!Done()) {
      const float u = Number();
      points.push_back({u, Number()});
    }
    if (points.size() < min) Fail("needs at least " + std::to_string(min) + " points");
    return points;
  }
  void End() const {
    if (!Done()) Fail("unexpected '" + words_[next_] + "'");
  }

 private:
  std::string path_;
  int number_;
  std::vector<std::string> words_;
  std::size_t next_ = 0;
};

constexpr int kMaxSegments = 64;

Rgba ColourDefinition(LineReader& line) {
  Rgba c;
  c.r = line.Number();
  c.g = line.Number();
  c.b = line.Number();
  if (!line.Done()) c.a = line.Number();
  line.End();
  for (float v : {c.r, c.g, c.b, c.a})
    if (v < 0 || v > 1) line.Fail("colour components run from 0 to 1");
  return c;
}

template <typename Handle>
void EachLine(const std::string& path, Handle handle) {
  std::ifstream in(path);
  if (!in) throw SourceError(path + ": cannot be read");
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (const auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    LineReader line(path, number, text);
    if (line.Done()) continue;
    handle(line);
  }
}

}  // namespace

void ReadPalette(const std::string& path, Palette& palette) {
  EachLine(path, [&](LineReader& line) {
    if (line.Word() != "colour") line.Fail("a palette holds only colour lines");
    const std::string name = line.Word();
    palette[name] = ColourDefinition(line);
  });
}

Mesh ReadModel(const std::string& path, const Palette& shared) {
  Palette palette = shared;
  Mesh mesh;
  EachLine(path, [&](LineReader& line) {
    const std::string kind = line.Word();
    if (kind == "colour") {
      const std::string name = line.Word();
      palette[name] = ColourDefinition(line);
      return;
    }
    if (kind == "offset") {
      mesh.SetOffset(line.Point());
      line.End();
      return;
    }
    const std::string colourName = line.Word();
    const auto found = palette.find(colourName);
    if (found == palette.end()) line.Fail("unknown colour '" + colourName + "'");
    const Rgba colour = found->second;
    try {
      if (kind == "box") {
        const Vec3 a = line.Point(), b = line.Point();
        line.End();
        AddBox(mesh, colour, {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)},
               {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)});
      } else if (kind == "cylinder" || kind == "tube") {
        const Axis axis = line.AxisWord();
        const Vec3 centre = line.Point();
        const float outer = line.Number();
        const float inner = kind == "tube" ? line.Number() : 0;
        const float h0 = line.Number(), h1 = line.Number();
        LatheOptions options;
        if (!line.Done()) options.segments = line.Count(3, kMaxSegments);
        line.End();
        if (!(outer > inner) || inner < 0 || !(h1 > h0))
          line.Fail("needs outer radius > inner radius >= 0 and h1 > h0");
        AddLathe(mesh, colour, axis, centre, {{inner, h0}, {outer, h0}, {outer, h1}, {inner, h1}, {inner, h0}},
                 options);
      } else if (kind == "lathe") {
        const Axis axis = line.AxisWord();
        const Vec3 centre = line.Point();
        LatheOptions options;
        options.segments = line.Count(3, kMaxSegments);
        while (line.Peek() != ":") {
          const std::string option = line.Word();
          if (option == "flat") {
            options.flat = true;
          } else if (option == "scale") {
            options.scale1 = line.Number();
            options.scale2 = line.Number();
          } else {
            line.Fail("unknown lathe option '" + option + "'");
          }
        }
        AddLathe(mesh, colour, axis, centre, line.Pairs(2), options);
      } else if (kind == "extrude") {
        const Axis axis = line.AxisWord();
        const float w0 = line.Number(), w1 = line.Number();
        if (w0 == w1) line.Fail("an extrusion needs depth");
        AddExtrusion(mesh, colour, axis, w0, w1, line.Pairs(3));
      } else if (kind == "stroke") {
        const Axis axis = line.AxisWord();
        const float w0 = line.Number(), w1 = line.Number(), width = line.Number();
        if (w0 == w1 || !(width > 0)) line.Fail("a stroke needs depth and width");
        AddStroke(mesh, colour, axis, w0, w1, width, line.Pairs(2));
      } else {
        line.Fail("unknown shape '" + kind + "'");
      }
    } catch (const std::invalid_argument& e) {
      line.Fail(e.what());
    }
  });
  if (mesh.Triangles().empty()) throw SourceError(path + ": describes no faces");
  return mesh;
}

}  // namespace models

#pragma once
// Reading the artwork sources: plain text files, "//" starting a comment
// line. Mistakes in a source stop the build with the file and line named.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace bitmaps {

class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SourceLine {
  int number = 0;  // 1-based
  std::string text;
};

// Every line of the file, trailing blanks and CR removed.
std::vector<SourceLine> ReadSourceLines(const std::string& path);

[[noreturn]] void FailAt(const std::string& path, int line, const std::string& message);

bool IsCommentOrBlank(const std::string& text);

// A picture drawn with one character per pixel. The source first maps each
// character to a colour ("key # black"), then gives the rows after "art".
struct PixelArt {
  int width = 0, height = 0;
  std::vector<std::uint8_t> indices;  // rows from the top
};
PixelArt ReadPixelArt(const std::string& path);

}  // namespace bitmaps

#include "demo/demo_file_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <string_view>

#include "core/game_state.h"
#include "demo/demo.h"
#include "demo/demo_record.h"
#include "platform/os/debug_output.h"
#include "platform/os/file_access.h"
#include "platform/os/number_text.h"
#include "scene/ingredient_frames.h"
#include "scene/scene_objects.h"

namespace demo {

namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Words between white space, each at most kMaxWord characters, so that no
// input, however long its lines, makes the reader hold more than that.
class WordReader {
 public:
  static constexpr std::size_t kMaxWord = 63;
  enum class Next { Word, End, TooLong };

  explicit WordReader(std::istream& in) : buffer_(in.rdbuf()) {}

  Next Read(std::string_view& word) {
    using Traits = std::char_traits<char>;
    if (!buffer_) return Next::End;
    int c = buffer_->sgetc();
    for (; c != Traits::eof() && IsBlank(c); c = buffer_->snextc())
      if (c == '\n') ++line_;
    if (c == Traits::eof()) return Next::End;
    wordLine_ = line_;
    std::size_t n = 0;
    for (; c != Traits::eof() && !IsBlank(c); c = buffer_->snextc()) {
      if (n == kMaxWord) return Next::TooLong;
      text_[n++] = static_cast<char>(c);
    }
    word = std::string_view(text_.data(), n);
    return Next::Word;
  }
  int WordLine() const { return wordLine_; }
  int Line() const { return line_; }

 private:
  std::streambuf* buffer_;
  std::array<char, kMaxWord> text_{};
  int line_ = 1, wordLine_ = 1;
};

// from_chars takes no plus sign; formatted extraction does.
std::string_view WithoutPlus(std::string_view w) {
  if (w.size() > 1 && w[0] == '+' && w[1] != '-' && w[1] != '+') w.remove_prefix(1);
  return w;
}

bool ParseInt(std::string_view w, std::int32_t& out) {
  w = WithoutPlus(w);
  auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), out);
  return ec == std::errc() && end == w.data() + w.size();
}

bool ParseFloat(std::string_view w, float& out) {
  w = WithoutPlus(w);
  const char* last = w.data() + w.size();
  auto [end, ec] = platform::os::FloatFromChars(w.data(), last, out);
  if (ec == std::errc::result_out_of_range && end == last) {
    // Too small for a float is as good as zero; too large is no pose.
    double wide = 0;
    auto [wideEnd, wideEc] = platform::os::FloatFromChars(w.data(), last, wide);
    if (wideEc != std::errc() || wideEnd != last || std::fabs(wide) >= 1.0) return false;
    out = static_cast<float>(wide);
    ec = std::errc();
  }
  return ec == std::errc() && end == last && std::isfinite(out);
}

class Parser {
 public:
  explicit Parser(std::istream& in) : words_(in) {}

  // With `store`, the samples go straight into the channels and the rest into
  // the record once the last value has been read.
  DemoReadResult Run(bool store) {
    std::int32_t stage = 0, count = 0, milk = 0, sugar = 0;
    if (!Int(stage)) return failure_;
    if (stage < 1 || stage > 5) return Fail(DemoReadError::StageOutOfRange);
    if (!Int(count)) return failure_;
    // More samples than the channels hold cannot be read; a count below
    // zero reads none, as 0 does.
    if (count > kMaxSamples) return Fail(DemoReadError::CountOutOfRange);
    // Any flag but 0 means the order wanted that ingredient.
    for (std::int32_t* flag : {&milk, &sugar})
      if (!Int(*flag)) return failure_;
    std::array<float, kPropValues> props{};
    for (float& v : props)
      if (!Float(v)) return failure_;
    for (int sample = 1; sample <= count; ++sample) {
      for (int c = 0; c < kChannels; ++c) {
        float v = 0;
        if (!Float(v)) return failure_;
        if (store) demoChannels[c][sample] = v;
      }
    }
    // Whatever follows the N samples is not part of the recording and is
    // never read.
    if (store) {
      game::GameState& g = game::gameState;
      g.demoStage = stage;
      g.recordCount = count;
      g.demoMilkOrdered = milk;
      g.demoSugarOrdered = sugar;
      demoPropPoses = props;
    }
    return {};
  }

 private:
  bool Word(std::string_view& w) {
    switch (words_.Read(w)) {
      case WordReader::Next::Word: return true;
      case WordReader::Next::End: Fail(DemoReadError::EndsEarly, words_.Line()); return false;
      case WordReader::Next::TooLong: break;
    }
    Fail(DemoReadError::NotANumber);
    return false;
  }
  bool Int(std::int32_t& out) {
    std::string_view w;
    if (!Word(w)) return false;
    if (ParseInt(w, out)) return true;
    Fail(DemoReadError::NotANumber);
    return false;
  }
  bool Float(float& out) {
    std::string_view w;
    if (!Word(w)) return false;
    if (ParseFloat(w, out)) return true;
    Fail(DemoReadError::NotANumber);
    return false;
  }
  DemoReadResult Fail(DemoReadError error, int line = -1) {
    failure_ = {error, line < 0 ? words_.WordLine() : line};
    return failure_;
  }

  WordReader words_;
  DemoReadResult failure_;
};

}  // namespace

std::string DescribeDemoRead(const DemoReadResult& result) {
  const char* what = "read";
  switch (result.error) {
    case DemoReadError::None: return "read";
    case DemoReadError::CannotOpen: return "cannot be opened";
    case DemoReadError::NotANumber: what = "not a number, or not a finite one"; break;
    case DemoReadError::StageOutOfRange: what = "the stage is not 1 to 5"; break;
    case DemoReadError::CountOutOfRange: what = "the sample count is above 19998"; break;
    case DemoReadError::EndsEarly: what = "the file ends before its samples do"; break;
  }
  return "line " + std::to_string(result.line) + ": " + what;
}

DemoReadResult ReadDemo(std::istream& in) {
  DemoReadResult checked = Parser(in).Run(false);
  if (!checked.Ok()) return checked;
  in.clear();
  in.seekg(0);
  if (!in) return {DemoReadError::CannotOpen, 0};
  return Parser(in).Run(true);
}

DemoReadResult LoadDemoFile(const std::string& path) {
  const platform::os::FileRead file = platform::os::ReadRegularFile(path, platform::os::FileKind::kDemo);
  if (!file.Ok()) {
    // No demo is no fault; one that cannot be read is worth a word.
    if (file.status == platform::os::FileRead::kRefused) platform::os::ReportRefusedFile(path, file.why);
    return {DemoReadError::CannotOpen, 0};
  }
  std::istringstream in(file.bytes);
  DemoReadResult result = ReadDemo(in);
  if (!result.Ok()) {
    platform::os::OutputDebugString(path + " refused, " + DescribeDemoRead(result) + "\n");
    platform::os::ReportRefusedFile(path, "refused, " + DescribeDemoRead(result));
    return result;
  }
  const game::GameState& g = game::gameState;
  // A pot the recorded order did not want wears its cover, as in play.
  scene::FitPotCover(game::Ingredient::Milk, g.demoMilkOrdered != 0);
  scene::FitPotCover(game::Ingredient::Sugar, g.demoSugarOrdered != 0);
  return result;
}

bool LoadDemo() { return LoadDemoFile(DemoFileToPlay()).Ok(); }

}  // namespace demo

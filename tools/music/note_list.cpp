#include "note_list.h"

#include <cctype>
#include <map>
#include <sstream>
#include <vector>

namespace music_tool {

namespace {

struct Line {
  int number;
  std::vector<std::string> words;
};

class Parser {
 public:
  explicit Parser(Song* song) : song_(song) {}

  bool Run(const std::string& text) {
    std::vector<Line> lines = Split(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      line_ = lines[i].number;
      const auto& w = lines[i].words;
      if (w[0] == "pattern") {
        if (w.size() != 2) return Fail("pattern needs a name");
        std::vector<Line> body;
        for (++i; i < lines.size() && lines[i].words[0] != "end"; ++i) body.push_back(lines[i]);
        if (i == lines.size()) return Fail("pattern " + w[1] + " has no end");
        patterns_[w[1]] = body;
      } else if (!Statement(lines[i])) {
        return false;
      }
    }
    if (song_->tracks.empty()) return Fail("no tracks");
    // A track that stops short is almost always a bar left out.
    for (const Track& t : song_->tracks) {
      if (t.endTick != song_->EndTick()) {
        error_ = "track " + t.name + " has " + std::to_string(t.endTick / song_->BarTicks()) + " bars, the longest " +
                 std::to_string(song_->EndTick() / song_->BarTicks());
        return false;
      }
    }
    return true;
  }

  const std::string& Error() const { return error_; }

 private:
  static std::vector<Line> Split(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
      for (auto hash = raw.find('#'); hash != std::string::npos; hash = raw.find('#', hash + 1)) {
        if (!IsSharpInNote(raw, hash)) {
          raw.erase(hash);
          break;
        }
      }
      std::istringstream words(raw);
      Line line{number, {}};
      for (std::string w; words >> w;) line.words.push_back(w);
      if (!line.words.empty()) lines.push_back(line);
    }
    return lines;
  }
  // A '#' right after a note letter is a sharp, not a comment.
  static bool IsSharpInNote(const std::string& s, std::size_t at) {
    return at > 0 && std::string("ABCDEFG").find(s[at - 1]) != std::string::npos;
  }

  bool Statement(const Line& line) {
    const auto& w = line.words;
    if (w[0] == "title") {
      song_->title.clear();
      for (std::size_t i = 1; i < w.size(); ++i) song_->title += (i > 1 ? " " : "") + w[i];
      return true;
    }
    if (w[0] == "tempo") return w.size() == 2 && Number(w[1], 20, 300, song_->tempo) ? true : Fail("bad tempo");
    if (w[0] == "meter") return Meter(w);
    if (w[0] == "track") return NewTrack(w);
    if (w[0] == "play") return Play(w);
    if (w[0][0] == '|') return Bars(line);
    return Fail("unknown word '" + w[0] + "'");
  }

  bool Meter(const std::vector<std::string>& w) {
    auto slash = w.size() == 2 ? w[1].find('/') : std::string::npos;
    if (slash == std::string::npos || !Number(w[1].substr(0, slash), 1, 16, song_->meterBeats) ||
        !Number(w[1].substr(slash + 1), 1, 16, song_->meterUnit) || (song_->meterUnit & (song_->meterUnit - 1)) != 0) {
      return Fail("bad meter");
    }
    return true;
  }

  bool NewTrack(const std::vector<std::string>& w) {
    if (w.size() < 2 || w.size() % 2 != 0) return Fail("track needs a name and key/value pairs");
    Track t;
    t.name = w[1];
    gate_ = 90;
    velocity_ = 96;
    for (std::size_t i = 2; i < w.size(); i += 2) {
      const std::string& key = w[i];
      int* field = key == "channel"    ? &t.channel
                   : key == "program"  ? &t.program
                   : key == "volume"   ? &t.volume
                   : key == "pan"      ? &t.pan
                   : key == "reverb"   ? &t.reverb
                   : key == "chorus"   ? &t.chorus
                   : key == "gate"     ? &gate_
                   : key == "velocity" ? &velocity_
                                       : nullptr;
      if (!field) return Fail("unknown track setting '" + key + "'");
      const int high = key == "channel" ? 15 : key == "gate" ? 100 : 127;
      const int low = key == "gate" ? 10 : key == "velocity" ? 1 : 0;
      if (!Number(w[i + 1], low, high, *field)) return Fail("bad value for " + key);
    }
    song_->tracks.push_back(t);
    return true;
  }

  bool Play(const std::vector<std::string>& w) {
    if (w.size() < 2 || w.size() > 3) return Fail("play needs a pattern name and an optional xN");
    auto it = patterns_.find(w[1]);
    if (it == patterns_.end()) return Fail("no pattern named " + w[1]);
    int times = 1;
    if (w.size() == 3 && (w[2][0] != 'x' || !Number(w[2].substr(1), 1, 64, times))) return Fail("bad repeat count");
    if (depth_ >= 8) return Fail("patterns nested too deeply");
    const int here = line_;
    ++depth_;
    for (int n = 0; n < times; ++n) {
      for (const Line& line : it->second) {
        line_ = line.number;
        if (!Statement(line)) return false;
      }
    }
    --depth_;
    line_ = here;
    return true;
  }

  bool Bars(const Line& line) {
    if (song_->tracks.empty()) return Fail("notes before the first track");
    Track& t = song_->tracks.back();
    std::uint32_t barStart = t.endTick;
    bool open = false;
    for (const std::string& word : line.words) {
      if (word == "|") {
        if (open && t.endTick - barStart != song_->BarTicks()) return Fail("bar does not fill the meter");
        barStart = t.endTick;
        open = true;
        continue;
      }
      if (!open) return Fail("notes must follow a '|'");
      if (word[0] == 'v') {
        if (!Number(word.substr(1), 1, 127, velocity_)) return Fail("bad velocity " + word);
        continue;
      }
      if (!Note(word, t)) return false;
    }
    if (line.words.back() != "|") return Fail("a line of bars ends with '|'");
    return true;
  }

  bool Note(const std::string& word, Track& t) {
    const auto slash = word.find('/');
    if (slash == std::string::npos) return Fail("'" + word + "' has no length");
    std::uint32_t length = 0;
    if (!Length(word.substr(slash + 1), length)) return Fail("bad length in '" + word + "'");
    const std::string pitches = word.substr(0, slash);
    if (pitches != "r") {
      std::size_t from = 0;
      for (;;) {
        const auto plus = pitches.find('+', from);
        int key = 0;
        if (!Pitch(pitches.substr(from, plus - from), key)) return Fail("bad pitch in '" + word + "'");
        const auto sounding = std::max<std::uint32_t>(1, length * static_cast<std::uint32_t>(gate_) / 100);
        t.notes.push_back({t.endTick, sounding, key, velocity_});
        if (plus == std::string::npos) break;
        from = plus + 1;
      }
    }
    t.endTick += length;
    if (t.endTick > 0x0FFFFFFF) return Fail("piece too long");
    return true;
  }

  bool Length(const std::string& s, std::uint32_t& ticks) const {
    std::size_t from = 0;
    ticks = 0;
    for (;;) {
      const auto tie = s.find('_', from);
      std::string term = s.substr(from, tie - from);
      bool dotted = false, triplet = false;
      if (!term.empty() && term.back() == '.')
        dotted = true, term.pop_back();
      else if (!term.empty() && term.back() == 't')
        triplet = true, term.pop_back();
      int unit = 0;
      if (!Number(term, 1, 32, unit) || (unit & (unit - 1)) != 0) return false;
      std::uint32_t part = static_cast<std::uint32_t>(song_->division * 4 / unit);
      if (dotted) part += part / 2;
      if (triplet) part = part * 2 / 3;
      ticks += part;
      if (tie == std::string::npos) return ticks > 0;
      from = tie + 1;
    }
  }

  static bool Pitch(const std::string& s, int& key) {
    if (s.empty()) return false;
    if (std::isdigit(static_cast<unsigned char>(s[0]))) return Number(s, 0, 127, key);
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    auto step = steps.find(s[0]);
    if (step == steps.end()) return false;
    std::size_t i = 1;
    int accidental = 0;
    if (i < s.size() && s[i] == '#')
      accidental = 1, ++i;
    else if (i < s.size() && s[i] == 'b')
      accidental = -1, ++i;
    int octave = 0;
    if (!Number(s.substr(i), -1, 9, octave)) return false;
    key = (octave + 1) * 12 + step->second + accidental;
    return key >= 0 && key <= 127;
  }

  static bool Number(const std::string& s, int low, int high, int& out) {
    if (s.empty() || s.size() > 6) return false;
    std::size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (std::size_t j = i; j < s.size(); ++j) {
      if (!std::isdigit(static_cast<unsigned char>(s[j]))) return false;
    }
    const int v = std::stoi(s);
    if (v < low || v > high) return false;
    out = v;
    return true;
  }

  bool Fail(const std::string& why) {
    error_ = "line " + std::to_string(line_) + ": " + why;
    return false;
  }

  Song* song_;
  std::map<std::string, std::vector<Line>> patterns_;
  std::string error_;
  int line_ = 0;
  int depth_ = 0;
  int gate_ = 90;
  int velocity_ = 96;
};

}  // namespace

bool ParseNoteList(const std::string& text, Song* song, std::string* error) {
  *song = Song{};
  Parser parser(song);
  if (parser.Run(text)) return true;
  if (error) *error = parser.Error();
  return false;
}

}  // namespace music_tool

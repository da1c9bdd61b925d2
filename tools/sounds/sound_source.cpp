#include "sound_source.h"

#include <cmath>
#include <sstream>

namespace sound_tool {

namespace {

bool Number(std::istringstream& in, double lo, double hi, double* out) {
  std::string word;
  if (!(in >> word)) return false;
  std::size_t used = 0;
  try {
    *out = std::stod(word, &used);
  } catch (...) {
    return false;
  }
  return used == word.size() && std::isfinite(*out) && *out >= lo && *out <= hi;
}

bool ParseWave(const std::string& word, Wave* out) {
  if (word == "sine")
    *out = Wave::kSine;
  else if (word == "square")
    *out = Wave::kSquare;
  else if (word == "saw")
    *out = Wave::kSaw;
  else if (word == "triangle")
    *out = Wave::kTriangle;
  else if (word == "noise")
    *out = Wave::kNoise;
  else
    return false;
  return true;
}

// The keys of a voice line, each with the range it accepts.
bool ParseVoiceKey(const std::string& key, std::istringstream& in, Voice* v, std::string* why) {
  auto need = [&](double lo, double hi, double* out) {
    if (Number(in, lo, hi, out)) return true;
    *why = "\"" + key + "\" needs a number from " + std::to_string(lo) + " to " + std::to_string(hi);
    return false;
  };
  if (key == "freq") {
    if (!need(1.0, 11000.0, &v->freq)) return false;
    std::streampos at = in.tellg();
    std::string word;
    if (in >> word && word == "to") return need(1.0, 11000.0, &v->freqTo);
    in.clear();
    in.seekg(at);
    return true;
  }
  if (key == "level") return need(0.0, 1.0, &v->level);
  if (key == "start") return need(0.0, 10.0, &v->start);
  if (key == "end") return need(0.0, 10.0, &v->end);
  if (key == "attack") return need(0.0, 10.0, &v->attack);
  if (key == "decay") return need(0.0, 10.0, &v->decay);
  if (key == "sustain") return need(0.0, 1.0, &v->sustain);
  if (key == "release") return need(0.0, 10.0, &v->release);
  if (key == "tremolo") return need(0.0, 100.0, &v->tremoloRate) && need(0.0, 1.0, &v->tremoloDepth);
  if (key == "vibrato") return need(0.0, 100.0, &v->vibratoRate) && need(0.0, 1200.0, &v->vibratoCents);
  if (key == "lowpass") return need(1.0, 11000.0, &v->lowpass);
  *why = "unknown voice key \"" + key + "\"";
  return false;
}

}  // namespace

bool ParseSoundSource(const std::string& text, SoundSource* out, std::string* error) {
  SoundSource s;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& why) {
    *error = "line " + std::to_string(number) + ": " + why;
    return false;
  };
  while (std::getline(lines, line)) {
    ++number;
    if (std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) continue;
    double value = 0.0;
    if (word == "seconds") {
      if (!Number(in, 0.01, 10.0, &s.seconds)) return fail("\"seconds\" needs 0.01 to 10");
    } else if (word == "gain") {
      if (!Number(in, 0.0, 1.0, &s.gain)) return fail("\"gain\" needs 0 to 1");
    } else if (word == "rate") {
      if (!Number(in, 8000.0, 48000.0, &value) || value != std::floor(value))
        return fail("\"rate\" needs a whole number from 8000 to 48000");
      s.rate = static_cast<int>(value);
    } else if (word == "loop") {
      s.loop = true;
    } else if (word == "voice") {
      Voice v;
      if (!(in >> word) || !ParseWave(word, &v.wave))
        return fail("a voice starts with sine, square, saw, triangle or noise");
      std::string why;
      while (in >> word)
        if (!ParseVoiceKey(word, in, &v, &why)) return fail(why);
      if (s.voices.size() >= 16) return fail("no more than 16 voices");
      s.voices.push_back(v);
    } else {
      return fail("unknown statement \"" + word + "\"");
    }
    if (in >> word) return fail("unexpected \"" + word + "\"");
  }
  if (s.seconds <= 0.0) return fail("no \"seconds\" given");
  if (s.voices.empty()) return fail("no voice given");
  *out = s;
  return true;
}

}  // namespace sound_tool

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sound_tool {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A loop repeats every `seconds`: a steady pitch or wobble must fit a whole
// number of cycles into it, or the join clicks.
double FitCycles(double hz, double seconds) {
  if (hz <= 0.0) return hz;
  return std::max(1.0, std::round(hz * seconds)) / seconds;
}

double Oscillator(Wave wave, double phase, std::uint32_t* noise) {
  const double p = phase - std::floor(phase);
  switch (wave) {
    case Wave::kSine: return std::sin(kTwoPi * p);
    case Wave::kSquare: return p < 0.5 ? 1.0 : -1.0;
    case Wave::kSaw: return 2.0 * p - 1.0;
    case Wave::kTriangle: return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
    case Wave::kNoise: {
      // xorshift32: white noise, the same on every machine.
      std::uint32_t x = *noise;
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      *noise = x;
      return x / 2147483647.5 - 1.0;
    }
  }
  return 0.0;
}

double Envelope(const Voice& v, double t, double length) {
  if (t < 0.0 || t >= length) return 0.0;
  double a = 1.0;
  if (t < v.attack) {
    a = t / v.attack;
  } else if (t < v.attack + v.decay) {
    a = 1.0 - (1.0 - v.sustain) * (t - v.attack) / v.decay;
  } else {
    a = v.sustain;
  }
  if (v.release > 0.0 && t > length - v.release) a *= (length - t) / v.release;
  return a;
}

void AddVoice(const SoundSource& s, Voice v, std::vector<double>& mix) {
  const double rate = s.rate;
  if (s.loop) {
    v.freq = FitCycles(v.freq, s.seconds);
    v.tremoloRate = FitCycles(v.tremoloRate, s.seconds);
    v.vibratoRate = FitCycles(v.vibratoRate, s.seconds);
  }
  // A loop's voices run on through the cross-fade tail.
  const double end = v.end < 0.0 ? (s.loop ? 1e9 : s.seconds) : v.end;
  const double length = end - v.start;
  if (length <= 0.0) return;
  std::uint32_t noise = 0x9E3779B9u;
  double phase = 0.0, filtered = 0.0;
  const double alpha = v.lowpass > 0.0 ? 1.0 - std::exp(-kTwoPi * v.lowpass / rate) : 1.0;
  for (std::size_t i = 0; i < mix.size(); ++i) {
    const double t = i / rate - v.start;
    if (t < 0.0) continue;
    if (t >= length) break;
    double hz = v.freq;
    if (v.freqTo > 0.0) hz = v.freq * std::pow(v.freqTo / v.freq, std::min(t / length, 1.0));
    if (v.vibratoRate > 0.0) hz *= std::pow(2.0, v.vibratoCents / 1200.0 * std::sin(kTwoPi * v.vibratoRate * t));
    double x = Oscillator(v.wave, phase, &noise);
    phase += hz / rate;
    filtered += alpha * (x - filtered);
    double amp = v.level * Envelope(v, t, length);
    if (v.tremoloRate > 0.0) amp *= 1.0 - v.tremoloDepth * 0.5 * (1.0 - std::cos(kTwoPi * v.tremoloRate * t));
    mix[i] += filtered * amp;
  }
}

}  // namespace

std::vector<std::int16_t> Render(const SoundSource& s) {
  const std::size_t n = static_cast<std::size_t>(std::lround(s.seconds * s.rate));
  const std::size_t fade = s.loop ? std::min<std::size_t>(n / 4, s.rate / 50) : 0;
  std::vector<double> mix(n + fade, 0.0);
  for (const Voice& v : s.voices) AddVoice(s, v, mix);
  // What would follow the end is blended into the start, so that the
  // repeat carries on smoothly even where the voices are not periodic.
  for (std::size_t i = 0; i < fade; ++i) {
    const double w = static_cast<double>(i) / fade;
    mix[i] = mix[i] * w + mix[n + i] * (1.0 - w);
  }
  std::vector<std::int16_t> out(n);
  for (std::size_t i = 0; i < n; ++i)
    out[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i] * s.gain, -1.0, 1.0) * 32767.0));
  return out;
}

}  // namespace sound_tool

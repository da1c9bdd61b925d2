#pragma once
// Builds RIFF WAVE files byte by byte, well-formed or broken on purpose, in a
// scratch folder of their own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scratch.h"

namespace audio_test {

class WaveBytes {
 public:
  WaveBytes& Id(const char* id) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(id[i]));
    return *this;
  }
  WaveBytes& U16(std::uint32_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  WaveBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  WaveBytes& Fill(std::size_t n, std::uint8_t value) {
    bytes.insert(bytes.end(), n, value);
    return *this;
  }
  // The 16 bytes of a PCM format.
  WaveBytes& Pcm(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint32_t rate = 22050,
                 std::uint16_t bits = 16) {
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    return U16(tag).U16(channels).U32(rate).U32(rate * align).U16(align).U16(bits);
  }
  std::vector<std::uint8_t> bytes;
};

// The file header claiming `size` bytes after the size field.
inline WaveBytes Riff(std::uint32_t size) { return WaveBytes{}.Id("RIFF").U32(size).Id("WAVE"); }

// RIFF, WAVE, a 16-byte PCM "fmt " and a "data" chunk of `data` bytes.
inline WaveBytes GoodWave(std::uint32_t data, std::uint8_t value = 7) {
  return Riff(4 + 24 + 8 + data).Id("fmt ").U32(16).Pcm().Id("data").U32(data).Fill(data, value);
}

inline std::filesystem::path ScratchFolder(const std::string& name) {
  return test_support::ScratchFolder("audio-" + name);
}

inline std::string Save(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

}  // namespace audio_test

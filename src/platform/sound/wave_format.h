#pragma once
// The format block of a sound: the 18-byte wave format header followed by
// cbSize bytes that formats other than PCM may carry.
#include <cstdint>
#include <vector>

namespace platform::sound {

constexpr std::uint16_t kWaveFormatPcm = 1;

struct WaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t cbSize = 0;
  std::vector<std::uint8_t> extra;  // cbSize bytes

  // The size of the block as it is stored: 18 + cbSize.
  std::size_t BlockSize() const { return 18 + extra.size(); }
};

}  // namespace platform::sound

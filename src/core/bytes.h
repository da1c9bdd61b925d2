#pragma once
// The fixed-width integers of the binary files the program reads: bitmaps and
// WAVE files store them little-endian, MIDI files big-endian. The caller has
// checked that the bytes are there.
#include <cstdint>

namespace core {

inline std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
inline std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }
inline std::uint32_t Be24(const std::uint8_t* p) { return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2]; }
inline std::uint32_t Be32(const std::uint8_t* p) { return std::uint32_t{p[0]} << 24 | Be24(p + 1); }

}  // namespace core

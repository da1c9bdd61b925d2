#pragma once
// A RIFF WAVE file of 16-bit mono PCM: "fmt " then "data".
#include <cstdint>
#include <vector>

namespace sound_tool {

std::vector<std::uint8_t> WriteWavFile(const std::vector<std::int16_t>& samples, int rate);

}  // namespace sound_tool

// The WAV reader: open, then read the whole "data" chunk it promised.
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  audio::WaveReader reader;
  if (reader.OpenBytes(std::string(reinterpret_cast<const char*>(data), size)) != platform::kOk) return 0;
  std::vector<std::uint8_t> samples(reader.DataSize());
  if (reader.ReadData(reader.DataSize(), samples.data()) != reader.DataSize()) std::abort();
  return 0;
}

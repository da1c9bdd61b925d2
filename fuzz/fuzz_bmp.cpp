// The bitmap reader: whatever it accepts holds exactly the pixels it claims.
#include <cstdlib>
#include <span>

#include "platform/os/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::os::BmpReadResult r = platform::os::ReadBmp(std::span<const std::uint8_t>(data, size));
  if (r.ok()) {
    const std::size_t pixel = r.image.bitsPerPixel == 24 ? 3 : 1;
    if (r.image.pixels.size() != static_cast<std::size_t>(r.image.width) * r.image.height * pixel) std::abort();
  }
  return 0;
}

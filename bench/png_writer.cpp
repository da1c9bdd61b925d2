#include "png_writer.h"

#include "platform/os/png_writer.h"
#include "platform/surface/present.h"

namespace bench {

// The same conversion and encoder the game's screenshots use.
bool WritePng(const platform::surface::Surface& s, const std::string& path) {
  platform::os::Picture picture;
  const auto* palette = s.GetPalette() ? &s.GetPalette()->Entries() : nullptr;
  if (!platform::surface::ConvertToPicture(s, {0, 0, s.Width(), s.Height()}, palette, &picture)) return false;
  return platform::os::WritePng(path, picture, nullptr);
}

}  // namespace bench

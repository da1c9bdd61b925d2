#pragma once
// 2D surfaces: pixel storage of 8 (palette index), 16 (RGB565) or 24 (RGB888,
// three bytes per pixel, blue first) bits per pixel. The 3D device renders
// into a surface and the overlay blits between them.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/ref.h"
#include "platform/result.h"

namespace platform::surface {

// Capability bits, with the values the original service gave them.
namespace caps {
constexpr std::uint32_t kBackBuffer = 0x4;
constexpr std::uint32_t kComplex = 0x8;
constexpr std::uint32_t kFlip = 0x10;
constexpr std::uint32_t kOffscreenPlain = 0x40;
constexpr std::uint32_t kPrimarySurface = 0x200;
constexpr std::uint32_t kSystemMemory = 0x800;
constexpr std::uint32_t kTexture = 0x1000;
constexpr std::uint32_t k3DDevice = 0x2000;
constexpr std::uint32_t kVideoMemory = 0x4000;
constexpr std::uint32_t kZBuffer = 0x20000;
}  // namespace caps

struct PaletteEntry {
  std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

class Palette : public RefCounted {
 public:
  explicit Palette(const std::array<PaletteEntry, 256>& entries) : entries_(entries) {}
  const std::array<PaletteEntry, 256>& Entries() const { return entries_; }
  void SetEntries(const std::array<PaletteEntry, 256>& entries) {
    entries_ = entries;
    ++version_;
  }
  // Grows on every change, so colour-matching tables built from the palette
  // know when to rebuild.
  std::uint32_t Version() const { return version_; }

 private:
  std::array<PaletteEntry, 256> entries_;
  std::uint32_t version_ = 1;
};

class Surface : public RefCounted {
 public:
  // A z-buffer surface (caps::kZBuffer) keeps one 32-bit float per pixel,
  // whatever depth it was asked for; BitsPerPixel() reports the asked depth.
  Surface(int width, int height, int bitsPerPixel, std::uint32_t caps);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  int BytesPerPixel() const { return bytesPerPixel_; }
  int Pitch() const { return pitch_; }  // bytes from one row to the next
  std::uint32_t Caps() const { return caps_; }
  bool IsZBuffer() const { return (caps_ & caps::kZBuffer) != 0; }

  std::uint8_t* Pixels() { return pixels_.data(); }
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * pitch_; }
  const std::uint8_t* Row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * pitch_;
  }

  Palette* GetPalette() const { return palette_.get(); }
  void SetPalette(Ref<Palette> palette) { palette_ = std::move(palette); }

 private:
  int width_, height_, bitsPerPixel_, bytesPerPixel_, pitch_;
  std::uint32_t caps_;
  std::vector<std::uint8_t> pixels_;
  Ref<Palette> palette_;
};

}  // namespace platform::surface

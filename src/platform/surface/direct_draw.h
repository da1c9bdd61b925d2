#pragma once
// The display service: one DirectDraw object per display set-up makes the
// surfaces, palettes and clippers, holds the window's cooperation and the
// display mode, and makes its surfaces lost while a full-screen program is
// in the background.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/os/window.h"
#include "platform/ref.h"
#include "platform/surface/clipper.h"
#include "platform/surface/ddraw_result.h"
#include "platform/surface/surface.h"

namespace platform::surface {

// Driver capability bits (DriverCaps::caps), with their original values.
namespace driver_caps {
constexpr std::uint32_t k3D = 0x1;
constexpr std::uint32_t kBlt = 0x40;
constexpr std::uint32_t kBltStretch = 0x200;
constexpr std::uint32_t kGdi = 0x400;
constexpr std::uint32_t kPalette = 0x8000;
constexpr std::uint32_t kColorKey = 0x400000;
constexpr std::uint32_t kBltColorFill = 0x4000000;
constexpr std::uint32_t kCanClip = 0x20000000;
constexpr std::uint32_t kCanClipStretched = 0x40000000;
constexpr std::uint32_t kCanBltSystemMemory = 0x80000000;
}  // namespace driver_caps

// Colour-key capability bits (DriverCaps::colorKeyCaps).
namespace color_key_caps {
constexpr std::uint32_t kSourceBlt = 0x200;
}  // namespace color_key_caps

// Depth sets, as in z-buffer depth lists.
namespace bit_depth {
constexpr std::uint32_t k8 = 0x800;
constexpr std::uint32_t k16 = 0x400;
constexpr std::uint32_t k24 = 0x200;
constexpr std::uint32_t k32 = 0x100;
}  // namespace bit_depth

namespace cooperation {
constexpr std::uint32_t kFullScreen = 0x1;
constexpr std::uint32_t kAllowReboot = 0x2;
constexpr std::uint32_t kNoWindowChanges = 0x4;
constexpr std::uint32_t kNormal = 0x8;
constexpr std::uint32_t kExclusive = 0x10;
constexpr std::uint32_t kAllowModeX = 0x40;
}  // namespace cooperation

namespace palette_caps {
constexpr std::uint32_t k8BitEntries = 0x2;
constexpr std::uint32_t k8Bit = 0x4;
constexpr std::uint32_t kInitialize = 0x8;
constexpr std::uint32_t kAllow256 = 0x40;
}  // namespace palette_caps

// PaletteEntry::flags the display set-up writes.
namespace palette_entry_flags {
constexpr std::uint8_t kReserved = 0x1;   // the renderer may change the entry
constexpr std::uint8_t kReadOnly = 0x40;  // the renderer must leave it
}  // namespace palette_entry_flags

struct DriverCaps {
  std::uint32_t caps = 0;
  std::uint32_t colorKeyCaps = 0;
  std::uint32_t paletteCaps = 0;
  std::uint32_t zBufferBitDepths = 0;  // bit_depth
  std::uint32_t surfaceCaps = 0;       // caps:: bits surfaces may have
};

struct DriverInfo {
  bool hasGuid = false;  // false: the primary display driver
  std::string description;
  std::string name;
};

// Calls back for each display driver until the callback returns false.
// There is one: the primary display, which has no identity of its own.
HResult EnumerateDrivers(const std::function<bool(const DriverInfo&)>& callback);

class DirectDraw;
// The DirectDraw object of the primary display.
HResult CreateDirectDraw(Ref<DirectDraw>* out);

// The fifteen modes of the mode dialog: 800x600, 1024x768, 1280x720, 1600x900
// and 1920x1080, each at 8, 16 and 24 bits per pixel.
bool IsSupportedDisplayMode(int width, int height, int bitsPerPixel);

class DirectDraw : public RefCounted {
 public:
  DirectDraw();
  ~DirectDraw() override;

  // Hardware: 2D blits, stretching, colour keys and palettes, but no 3D;
  // emulation: the same done in software.
  HResult GetCaps(DriverCaps* hardware, DriverCaps* emulation) const;

  // cooperation::kNormal, or kFullScreen | kExclusive (with kAllowModeX if
  // wished) for a window.
  HResult SetCooperativeLevel(os::Window* window, std::uint32_t flags);
  // Full screen only: one of the fifteen modes, shown scaled to the screen.
  HResult SetDisplayMode(int width, int height, int bitsPerPixel);

  // A primary surface (alone, or with caps::kFlip | kComplex and one back
  // buffer), an off-screen surface of any size (the display's depth unless
  // desc_fields::kPixelFormat names one), or a z-buffer.
  HResult CreateSurface(const SurfaceDesc& desc, Ref<Surface>* out);
  HResult CreatePalette(std::uint32_t paletteCaps, const std::array<PaletteEntry, 256>& entries, Ref<Palette>* out);
  HResult CreateClipper(std::uint32_t flags, Ref<Clipper>* out);

  // The window system's word that the program gained or lost the user: in
  // full screen, losing it makes every surface of this object lost.
  void SetAppActive(bool active);

  bool IsExclusive() const;
  // The display surfaces take: the mode in full screen, else the desktop's.
  int DisplayWidth() const;
  int DisplayHeight() const;
  int DisplayBitsPerPixel() const;

 private:
  HResult CreatePrimary(const SurfaceDesc& desc, Ref<Surface>* out);
  void Adopt(Surface& surface) const;

  std::shared_ptr<DisplayState> display_;
};

}  // namespace platform::surface

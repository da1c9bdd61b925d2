#include "platform/surface/direct_draw.h"

#include <new>

#include "platform/surface/display_state.h"

namespace platform::surface {

namespace {
constexpr int kMaxDimension = 16384;
constexpr long long kMaxSurfaceBytes = 256ll << 20;

DriverCaps SoftwareCaps() {
  DriverCaps c;
  c.caps = driver_caps::kBlt | driver_caps::kBltStretch | driver_caps::kGdi | driver_caps::kPalette |
           driver_caps::kColorKey | driver_caps::kBltColorFill | driver_caps::kCanClip |
           driver_caps::kCanClipStretched | driver_caps::kCanBltSystemMemory;
  c.colorKeyCaps = color_key_caps::kSourceBlt;
  c.paletteCaps = palette_caps::k8Bit | palette_caps::kAllow256;
  c.zBufferBitDepths = bit_depth::k16 | bit_depth::k24 | bit_depth::k32;
  c.surfaceCaps = caps::kBackBuffer | caps::kComplex | caps::kFlip | caps::kFrontBuffer | caps::kOffscreenPlain |
                  caps::kPalette | caps::kPrimarySurface | caps::kSystemMemory | caps::k3DDevice | caps::kVideoMemory |
                  caps::kVisible | caps::kZBuffer;
  return c;
}

// Our surfaces all live in ordinary memory; the memory kind asked for is
// kept in the caps only so that descriptions read back as written.
HResult MemoryCaps(std::uint32_t* surfaceCaps, std::uint32_t otherwise) {
  const std::uint32_t both = caps::kSystemMemory | caps::kVideoMemory;
  if ((*surfaceCaps & both) == both) return DDERR_INVALIDCAPS;
  if (!(*surfaceCaps & both)) *surfaceCaps |= otherwise;
  return DD_OK;
}

HResult CheckSize(int width, int height, int bytesPerPixel) {
  if (width <= 0 || height <= 0) return DDERR_INVALIDPARAMS;
  if (width > kMaxDimension) return DDERR_TOOBIGWIDTH;
  if (height > kMaxDimension) return DDERR_TOOBIGHEIGHT;
  if (static_cast<long long>(width) * height * bytesPerPixel > kMaxSurfaceBytes) return DDERR_TOOBIGSIZE;
  return DD_OK;
}

HResult MakeSurface(int width, int height, int bitsPerPixel, std::uint32_t surfaceCaps, Ref<Surface>* out) {
  try {
    *out = MakeRef<Surface>(width, height, bitsPerPixel, surfaceCaps);
  } catch (const std::bad_alloc&) {
    return DDERR_OUTOFMEMORY;
  }
  return DD_OK;
}
}  // namespace

HResult EnumerateDrivers(const std::function<bool(const DriverInfo&)>& callback) {
  if (!callback) return DDERR_INVALIDPARAMS;
  callback(DriverInfo{false, "Primary Display Driver", "display"});
  return DD_OK;
}

HResult CreateDirectDraw(Ref<DirectDraw>* out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = MakeRef<DirectDraw>();
  return DD_OK;
}

bool IsSupportedDisplayMode(int width, int height, int bitsPerPixel) {
  static constexpr int kSizes[][2] = {{800, 600}, {1024, 768}, {1280, 720}, {1600, 900}, {1920, 1080}};
  if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24) return false;
  for (const auto& size : kSizes)
    if (size[0] == width && size[1] == height) return true;
  return false;
}

DirectDraw::DirectDraw() : display_(std::make_shared<DisplayState>()) {}
DirectDraw::~DirectDraw() = default;

HResult DirectDraw::GetCaps(DriverCaps* hardware, DriverCaps* emulation) const {
  if (!hardware && !emulation) return DDERR_INVALIDPARAMS;
  if (hardware) *hardware = SoftwareCaps();
  if (emulation) *emulation = SoftwareCaps();
  return DD_OK;
}

HResult DirectDraw::SetCooperativeLevel(os::Window* window, std::uint32_t flags) {
  using namespace cooperation;
  const std::uint32_t known = kFullScreen | kAllowReboot | kNoWindowChanges | kNormal | kExclusive | kAllowModeX;
  if (flags & ~known) return DDERR_INVALIDPARAMS;
  const bool fullScreen = (flags & kFullScreen) != 0, exclusive = (flags & kExclusive) != 0;
  if (flags & kNormal) {
    if (fullScreen || exclusive || (flags & kAllowModeX)) return DDERR_INVALIDPARAMS;
  } else if (!fullScreen || !exclusive || !window) {
    return DDERR_INVALIDPARAMS;
  }
  DisplayState& d = *display_;
  if (d.exclusive && !exclusive) d.modeWidth = d.modeHeight = d.modeBitsPerPixel = 0;
  d.window = window;
  d.exclusive = exclusive;
  d.cooperationSet = true;
  return DD_OK;
}

HResult DirectDraw::SetDisplayMode(int width, int height, int bitsPerPixel) {
  DisplayState& d = *display_;
  if (!d.exclusive) return DDERR_NOEXCLUSIVEMODE;
  if (!IsSupportedDisplayMode(width, height, bitsPerPixel)) return DDERR_INVALIDMODE;
  if (!os::EnterFullScreen(d.window, width, height)) return DDERR_UNSUPPORTEDMODE;
  d.modeWidth = width;
  d.modeHeight = height;
  d.modeBitsPerPixel = bitsPerPixel;
  // As on any display, a mode change takes every existing surface's memory.
  ++d.lostGeneration;
  return DD_OK;
}

bool DirectDraw::IsExclusive() const { return display_->exclusive; }

int DirectDraw::DisplayWidth() const { return display_->modeWidth ? display_->modeWidth : os::DesktopRect().Width(); }
int DirectDraw::DisplayHeight() const {
  return display_->modeHeight ? display_->modeHeight : os::DesktopRect().Height();
}
int DirectDraw::DisplayBitsPerPixel() const {
  return display_->modeBitsPerPixel ? display_->modeBitsPerPixel : os::DesktopBitsPerPixel();
}

void DirectDraw::SetAppActive(bool active) {
  DisplayState& d = *display_;
  if (d.exclusive && d.active && !active) ++d.lostGeneration;
  d.active = active;
}

void DirectDraw::Adopt(Surface& surface) const {
  surface.display_ = display_;
  surface.restoredGeneration_ = display_->lostGeneration;
}

HResult DirectDraw::CreateSurface(const SurfaceDesc& desc, Ref<Surface>* out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (!display_->cooperationSet) return DDERR_NOCOOPERATIVELEVELSET;
  std::uint32_t surfaceCaps = (desc.fields & desc_fields::kCaps) ? desc.caps : 0;
  if (surfaceCaps & (caps::kBackBuffer | caps::kFrontBuffer | caps::kVisible))
    return DDERR_INVALIDCAPS;  // these belong to flip chains, made implicitly
  if (surfaceCaps & caps::kPrimarySurface) return CreatePrimary(desc, out);
  if (surfaceCaps & (caps::kFlip | caps::kComplex)) return DDERR_INVALIDCAPS;
  if ((desc.fields & (desc_fields::kWidth | desc_fields::kHeight)) != (desc_fields::kWidth | desc_fields::kHeight))
    return DDERR_INVALIDPARAMS;

  int bitsPerPixel = DisplayBitsPerPixel();
  int bytesPerPixel = (bitsPerPixel + 7) / 8;
  if (surfaceCaps & caps::kZBuffer) {
    if (!(desc.fields & desc_fields::kZBufferBitDepth)) return DDERR_INVALIDPARAMS;
    bitsPerPixel = desc.zBufferBitDepth;
    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return DDERR_INVALIDPIXELFORMAT;
    bytesPerPixel = 4;  // kept as floats
  } else if (desc.fields & desc_fields::kPixelFormat) {
    bitsPerPixel = desc.bitsPerPixel;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24) return DDERR_INVALIDPIXELFORMAT;
    bytesPerPixel = bitsPerPixel / 8;
  } else if (!(surfaceCaps & caps::kTexture)) {
    surfaceCaps |= caps::kOffscreenPlain;
  }
  if (HResult r = CheckSize(desc.width, desc.height, bytesPerPixel); Failed(r)) return r;
  if (HResult r = MemoryCaps(&surfaceCaps, caps::kSystemMemory); Failed(r)) return r;
  if (HResult r = MakeSurface(desc.width, desc.height, bitsPerPixel, surfaceCaps, out); Failed(r)) return r;
  Adopt(**out);
  return DD_OK;
}

HResult DirectDraw::CreatePrimary(const SurfaceDesc& desc, Ref<Surface>* out) {
  // The primary surface is the display: its size and depth are the display's.
  if (desc.fields & (desc_fields::kWidth | desc_fields::kHeight | desc_fields::kPixelFormat))
    return DDERR_INVALIDPARAMS;
  DisplayState& d = *display_;
  if (d.primary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
  std::uint32_t surfaceCaps = desc.caps;
  if (surfaceCaps & (caps::kZBuffer | caps::kOffscreenPlain | caps::kTexture)) return DDERR_INVALIDCAPS;
  const bool flipChain = (surfaceCaps & caps::kFlip) != 0;
  if (flipChain) {
    if (!(surfaceCaps & caps::kComplex)) return DDERR_INVALIDCAPS;
    if (!(desc.fields & desc_fields::kBackBufferCount) || desc.backBufferCount < 1) return DDERR_INVALIDPARAMS;
    if (desc.backBufferCount > 1) return DDERR_UNSUPPORTED;
    if (!d.exclusive) return DDERR_NOEXCLUSIVEMODE;
  } else if (surfaceCaps & caps::kComplex) {
    return DDERR_INVALIDCAPS;
  }
  if (HResult r = MemoryCaps(&surfaceCaps, caps::kVideoMemory); Failed(r)) return r;

  const int width = DisplayWidth(), height = DisplayHeight(), bits = DisplayBitsPerPixel();
  if (HResult r = CheckSize(width, height, (bits + 7) / 8); Failed(r)) return r;
  Ref<Surface> front, back;
  const std::uint32_t frontCaps = surfaceCaps | caps::kVisible | (flipChain ? caps::kFrontBuffer : 0);
  if (HResult r = MakeSurface(width, height, bits, frontCaps, &front); Failed(r)) return r;
  if (flipChain) {
    const std::uint32_t backCaps = (surfaceCaps & ~caps::kPrimarySurface) | caps::kBackBuffer;
    if (HResult r = MakeSurface(width, height, bits, backCaps, &back); Failed(r)) return r;
    Adopt(*back);
    back->implicit_ = true;
    front->backBuffer_ = back;
    back->front_ = front.get();
  }
  Adopt(*front);
  d.primary = front.get();
  *out = std::move(front);
  return DD_OK;
}

HResult DirectDraw::CreatePalette(std::uint32_t paletteCaps, const std::array<PaletteEntry, 256>& entries,
                                  Ref<Palette>* out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  const std::uint32_t known =
      palette_caps::k8BitEntries | palette_caps::k8Bit | palette_caps::kInitialize | palette_caps::kAllow256;
  if (paletteCaps & ~known) return DDERR_UNSUPPORTED;
  if (!(paletteCaps & palette_caps::k8Bit)) return DDERR_INVALIDPARAMS;
  *out = MakeRef<Palette>(entries);
  return DD_OK;
}

HResult DirectDraw::CreateClipper(std::uint32_t flags, Ref<Clipper>* out) {
  if (!out) return DDERR_INVALIDPARAMS;
  *out = nullptr;
  if (flags != 0) return DDERR_INVALIDPARAMS;
  *out = MakeRef<Clipper>();
  return DD_OK;
}

}  // namespace platform::surface

#include "overlay/overlay_bitmaps.h"

#include <array>

#include "core/game_state.h"
#include "overlay/overlay.h"
#include "platform/os/bmp_reader.h"
#include "platform/os/resources.h"
#include "platform/surface/device_context.h"
#include "vexel/vexel.h"

namespace overlay {

namespace surface = platform::surface;
using platform::Ref;

namespace {

struct OverlayObjects {
  std::array<Ref<surface::Surface>, 4> surfaces;  // by OverlayBitmap
  Ref<surface::Palette> palette;
};
OverlayObjects g_objects;

struct BitmapSlot {
  int resourceId;
  OverlayBitmap bitmap;
  surface::Rect copied;       // covers the whole bitmap
  std::uint32_t transparent;  // 0xFFFFFF white, 0 black, in the surface's format
};

// In load order: the checker comes last, so its colour table is the palette
// kept.
constexpr std::array<BitmapSlot, 4> kSlots = {{
    {platform::os::resource_id::kKeyGuide, OverlayBitmap::KeyGuide, {0, 0, 1024, 256}, 0xFFFFFF},
    {platform::os::resource_id::kOrderPanel, OverlayBitmap::Panel, {0, 0, 280, 125}, 0xFFFFFF},
    {platform::os::resource_id::kFont, OverlayBitmap::Font, {0, 0, 1024, 256}, 0},
    {platform::os::resource_id::kChecker, OverlayBitmap::Checker, {0, 0, 256, 256}, 0xFFFFFF},
}};

Ref<surface::Surface>& Slot(OverlayBitmap which) { return g_objects.surfaces[static_cast<int>(which)]; }

Ref<surface::Surface> CreateOverlaySurface(int width, int height) {
  surface::SurfaceDesc desc;
  desc.fields = surface::desc_fields::kCaps | surface::desc_fields::kWidth | surface::desc_fields::kHeight;
  desc.caps = surface::caps::kOffscreenPlain;
  desc.width = width;
  desc.height = height;
  Ref<surface::Surface> out;
  if (platform::Failed(vexel::vexelContext.ddraw->CreateSurface(desc, &out))) return nullptr;
  return out;
}

// False when the bitmap is missing or unreadable: loading stops there.
bool LoadBitmap(const BitmapSlot& slot) {
  std::span<const std::uint8_t> file = platform::os::FindResource(slot.resourceId);
  if (file.empty()) return false;
  platform::os::BmpReadResult read = platform::os::ReadBmp(file);
  if (!read.ok() || read.image.bitsPerPixel != 8) return false;
  const platform::os::BmpImage& image = read.image;

  // The bitmap's colour table becomes the back buffer's palette, each new
  // one in place of the last. The 3D device keeps matching colours against
  // the palette it put its colour ramp into, and the display shows the
  // primary's, so this changes no colour on screen.
  std::array<surface::PaletteEntry, 256> entries{};
  for (std::size_t i = 0; i < image.palette.size() && i < entries.size(); ++i)
    entries[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue, 0};
  Ref<surface::Palette> palette;
  if (platform::Succeeded(vexel::vexelContext.ddraw->CreatePalette(surface::palette_caps::k8Bit, entries, &palette))) {
    g_objects.palette = palette;
    if (vexel::vexelContext.backBuffer)
      vexel::vexelContext.backBuffer->SetPalette(palette).Ignore("a surface without a palette draws as before");
  }

  surface::Surface* target = Slot(slot.bitmap).get();
  if (!target) return true;
  surface::DeviceContext dc;
  if (platform::Succeeded(target->GetDC(&dc))) {
    dc.DrawBitmap(image, slot.copied).Ignore("a bitmap that cannot be drawn leaves its surface blank");
    target->ReleaseDC(&dc).Ignore("the context is given back in every case");
  }
  surface::ColorKey key{slot.transparent, slot.transparent};
  target->SetColorKey(surface::color_key_flags::kSourceBlt, &key).Ignore("without its key the bitmap draws opaque");
  return true;
}

}  // namespace

void LoadOverlayBitmaps() {
  vexel::VexelContext& v = vexel::vexelContext;
  if (!v.ddraw || !v.backBuffer) return;
  // The back buffer's context is held over the whole load, as the copies
  // were once made through contexts compatible with it.
  surface::DeviceContext backDc;
  const bool haveBackDc = platform::Succeeded(v.backBuffer->GetDC(&backDc));

  const game::GameState& g = game::gameState;
  const int width = g.displayWidth * 1024 / 800;
  const int height = g.displayHeight * 256 / 600;
  for (const BitmapSlot& slot : kSlots) Slot(slot.bitmap) = CreateOverlaySurface(width, height);
  for (const BitmapSlot& slot : kSlots)
    if (!LoadBitmap(slot)) break;

  if (haveBackDc) v.backBuffer->ReleaseDC(&backDc).Ignore("the context is given back in every case");
}

void ReleaseOverlayObjects() {
  for (Ref<surface::Surface>& s : g_objects.surfaces) s.reset();
  g_objects.palette.reset();
}

surface::Surface* OverlaySurface(OverlayBitmap which) {
  surface::Surface* s = Slot(which).get();
  if (s && s->IsLost() != platform::kOk) s->Restore().Ignore("a surface still lost is restored again next time");
  return s;
}

surface::Palette* OverlayPalette() { return g_objects.palette.get(); }

}  // namespace overlay

#pragma once
// Render quality: three components packed in one value, each ordered from
// cheapest to best. A face is drawn with the lower of the device's and the
// mesh's setting, component by component.
#include <algorithm>
#include <cstdint>

namespace platform::rm {

using Quality = std::uint32_t;

constexpr Quality kShadeFlat = 0x0;
constexpr Quality kShadeGouraud = 0x1;
constexpr Quality kShadePhong = 0x2;
constexpr Quality kShadeMask = 0x7;

constexpr Quality kLightOff = 0x0;
constexpr Quality kLightOn = 0x8;
constexpr Quality kLightMask = 0x38;

constexpr Quality kFillPoints = 0x0;
constexpr Quality kFillWireframe = 0x40;
constexpr Quality kFillSolid = 0x80;
constexpr Quality kFillMask = 0x1C0;

constexpr Quality kRenderWireframe = kFillWireframe | kLightOff | kShadeFlat;  // 0x40
constexpr Quality kRenderUnlitFlat = kFillSolid | kLightOff | kShadeFlat;      // 0x80
constexpr Quality kRenderFlat = kFillSolid | kLightOn | kShadeFlat;            // 0x88
constexpr Quality kRenderGouraud = kFillSolid | kLightOn | kShadeGouraud;      // 0x89
constexpr Quality kRenderPhong = kFillSolid | kLightOn | kShadePhong;          // 0x8A

constexpr Quality ShadeOf(Quality q) { return q & kShadeMask; }
constexpr Quality LightOf(Quality q) { return q & kLightMask; }
constexpr Quality FillOf(Quality q) { return q & kFillMask; }

// The lower setting of each component.
constexpr Quality MinQuality(Quality a, Quality b) {
  return std::min(ShadeOf(a), ShadeOf(b)) | std::min(LightOf(a), LightOf(b)) | std::min(FillOf(a), FillOf(b));
}

}  // namespace platform::rm

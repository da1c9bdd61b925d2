// The 3D device: the retained-mode object, the palette of 8-bit modes, the
// device chosen for the display and the z-buffer it renders with.
#include <cstdio>

#include "platform/os/debug_output.h"
#include "platform/rm/quality.h"
#include "platform/surface/system_palette.h"
#include "vexel/vexel.h"

namespace vexel {

using namespace platform;
using namespace platform::surface;

namespace {

// A device keeps its default for a setting it refuses and renders on; a
// surface without a palette draws as before.
constexpr const char* kSettingKept = "a refused setting keeps the device's default";
constexpr const char* kPaletteOptional = "a surface without a palette draws as before";

void Debug(const char* text) { os::OutputDebugString(text); }

// What device enumeration gathers.
struct DeviceSearch {
  std::uint32_t colorModel = 0;
  const rm::Guid* hwGuid = nullptr;
  rm::DeviceDescription hwDesc;
  const rm::Guid* swGuid = nullptr;
  rm::DeviceDescription swDesc;
};

constexpr std::uint32_t kAnyZDepth = bit_depth::k16 | bit_depth::k24 | bit_depth::k32;

void EnumDeviceCallback(const rm::DeviceInfo& info, DeviceSearch& search) {
  VexelContext& v = vexelContext;
  char line[160];
  if (v.halFound) return;
  if (info.hardware.colorModel & search.colorModel) {
    if (!(info.hardware.zBufferBitDepths & kAnyZDepth)) return;
    search.hwDesc = info.hardware;
    search.hwGuid = &info.guid;
    std::snprintf(line, sizeof line, "VXL:HAL DeviceName :%s %x\n", info.name.c_str(), info.guid.data1);
    Debug(line);
    v.halFound = 1;
    v.hardware3D = 1;
  } else if ((info.emulation.colorModel & search.colorModel) && !search.swGuid) {
    search.swDesc = info.emulation;
    search.swGuid = &info.guid;
    std::snprintf(line, sizeof line, "VXL:DeviceName :%s %x\n", info.name.c_str(), info.guid.data1);
    Debug(line);
  }
}

void SetUpPalette() {
  VexelContext& v = vexelContext;
  Debug("VXL:palettized \n");
  v.paletteEntries = SystemPaletteEntries();
  if (!v.windowed) {
    for (int i = 0; i <= 254; ++i) v.paletteEntries[i].flags = palette_entry_flags::kReserved;
  } else {
    for (int i = 0; i < 256; ++i)
      v.paletteEntries[i].flags =
          (i < 10 || i >= 246) ? palette_entry_flags::kReadOnly : palette_entry_flags::kReserved;
  }
  v.ddraw->CreatePalette(palette_caps::k8Bit | palette_caps::kInitialize, v.paletteEntries, &v.palette)
      .Ignore(kPaletteOptional);
  if (v.backBuffer) v.backBuffer->SetPalette(v.palette).Ignore(kPaletteOptional);
  if (v.primary) v.primary->SetPalette(v.palette).Ignore(kPaletteOptional);
}

}  // namespace

bool VexelCreateDevice() { return CreateD3DRM(); }

bool CreateD3DRM() {
  VexelContext& v = vexelContext;
  Debug("VXL:CreateD3DRM\n");
  if (!v.d3drm && Failed(rm::Direct3DRMCreate(&v.d3drm))) {
    VexelCleanup();
    return false;
  }
  if (v.depth == 8) SetUpPalette();
  if (!v.d3dDevice) {
    const rm::Guid* guid = ChooseDeviceGuid(v.colorModel);
    if (!guid) {
      VexelCleanup();
      Debug("VXL:Error:Fail to Direct3D create \n ");
      return false;
    }
    if (Failed(v.d3d->CreateDevice(*guid, v.backBuffer, &v.d3dDevice))) {
      Debug("VXL:Can't Create Direct3DDevice2 from Direct3D2\n");
      VexelCleanup();
      return false;
    }
    if (HResult r = v.d3drm->CreateDeviceFromD3D(v.d3d.get(), v.d3dDevice.get(), &v.device); Failed(r)) {
      ReportD3DRMError(r, "vexel_device.cpp", __LINE__);
      VexelCleanup();
      return false;
    }
    v.device->SetBufferCount(2).Ignore(kSettingKept);
    if (v.depth == 8) {
      v.device->SetDither(false).Ignore(kSettingKept);
      v.device->SetQuality(rm::kRenderFlat).Ignore(kSettingKept);
      v.device->SetTextureQuality(0).Ignore(kSettingKept);  // nearest
      v.device->SetShades(8).Ignore(kSettingKept);
    } else {
      v.device->SetShades(32).Ignore(kSettingKept);
      v.d3drm->SetDefaultTextureColors(64).Ignore(kSettingKept);
      v.d3drm->SetDefaultTextureShades(32).Ignore(kSettingKept);
      v.device->SetQuality(rm::kRenderGouraud).Ignore(kSettingKept);
      v.device->SetDither(false).Ignore(kSettingKept);
      v.device->SetTextureQuality(1).Ignore(kSettingKept);  // linear
    }
  }
  return true;
}

const rm::Guid* ChooseDeviceGuid(std::uint32_t colorModel) {
  VexelContext& v = vexelContext;
  DeviceSearch search;
  search.colorModel = colorModel;
  if (Failed(rm::Direct3D::FromDirectDraw(v.ddraw.get(), &v.d3d))) {
    Debug("VXL:Error:Failed to QI Direct3D2 from DirectDraw\n");
    v.ddraw.reset();
    return nullptr;
  }
  v.halFound = 0;
  v.d3d
      ->EnumDevices([&](const rm::DeviceInfo& info) {
        EnumDeviceCallback(info, search);
        return true;
      })
      .Ignore("with no device listed there is no GUID, and the caller reports that");
  std::uint32_t memory = 0;
  int zDepth = 0;
  if (!search.hwGuid || v.windowed) {
    if (!search.swGuid) return nullptr;
    memory = caps::kSystemMemory;
    zDepth = 16;
    v.deviceGuid = *search.swGuid;
    Debug("VXL:I'll use HEL\n");
  } else {
    memory = caps::kVideoMemory;
    std::uint32_t depths = search.hwDesc.zBufferBitDepths;
    zDepth = (depths & bit_depth::k16) ? 16 : (depths & bit_depth::k24) ? 24 : (depths & bit_depth::k32) ? 32 : 0;
    v.deviceGuid = *search.hwGuid;
    Debug("VXL:I'll use HAL\n");
  }
  char line[64];
  std::snprintf(line, sizeof line, "VXL:DeviceGuid %x\n", v.deviceGuid.data1);
  Debug(line);
  if (zDepth != 0) {
    SurfaceDesc desc;
    v.backBuffer->GetSurfaceDesc(&desc).Ignore("a back buffer always describes itself");
    desc.fields = desc_fields::kCaps | desc_fields::kHeight | desc_fields::kWidth | desc_fields::kZBufferBitDepth;
    desc.caps = memory | caps::kZBuffer;
    desc.zBufferBitDepth = zDepth;
    v.ddraw->CreateSurface(desc, &v.zBuffer)
        .Ignore("a missing z-buffer fails the attaching next, which ends the choice");
    if (!v.zBuffer || Failed(v.backBuffer->AddAttachedSurface(v.zBuffer))) return nullptr;
  }
  return &v.deviceGuid;
}

}  // namespace vexel

#include "platform/rm/direct3d.h"

#include "platform/rm/rm_result.h"
#include "platform/surface/ddraw_result.h"

namespace platform::rm {

// The identities the original service gave its two software devices.
const Guid kRampDeviceGuid{0xF2086B20, 0x259F, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
const Guid kRgbDeviceGuid{0xA4665C60, 0x2673, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

namespace {
const DeviceInfo kDevices[] = {
    {kRampDeviceGuid, "Ramp Emulation", "Ramp Emulation", {}, {kColorModelMonoBit, surface::bit_depth::k16}},
    {kRgbDeviceGuid, "RGB Emulation", "RGB Emulation", {}, {kColorModelRgbBit, surface::bit_depth::k16}},
};
}  // namespace

HResult Direct3D::FromDirectDraw(surface::DirectDraw* ddraw, Ref<Direct3D>* out) {
  if (!out) return kEInvalidArg;
  *out = nullptr;
  if (!ddraw) return kENoInterface;
  *out = MakeRef<Direct3D>();
  return kOk;
}

HResult Direct3D::EnumDevices(const std::function<bool(const DeviceInfo&)>& callback) const {
  for (const DeviceInfo& d : kDevices)
    if (!callback(d)) break;
  return kOk;
}

HResult Direct3D::CreateDevice(const Guid& guid, Ref<surface::Surface> backBuffer, Ref<ImmediateDevice>* out) const {
  if (!out) return kEInvalidArg;
  *out = nullptr;
  if (guid != kRampDeviceGuid && guid != kRgbDeviceGuid) return kEInvalidArg;
  if (!backBuffer) return kEInvalidArg;
  int bits = backBuffer->BitsPerPixel();
  if (bits != 8 && bits != 16 && bits != 24) return surface::DDERR_INVALIDPIXELFORMAT;
  *out = MakeRef<ImmediateDevice>(std::move(backBuffer));
  return kOk;
}

HResult Direct3DRM::CreateDeviceFromD3D(Direct3D* d3d, ImmediateDevice* d3dDevice, Ref<Device>* out) const {
  if (!out) return kErrBadValue;
  *out = nullptr;
  if (!d3d || !d3dDevice) return kErrBadObject;
  const Ref<surface::Surface>& back = d3dDevice->BackBuffer();
  Ref<surface::Surface> zBuffer(back->AttachedZBuffer());
  return Device::Create(back, zBuffer, out);
}

HResult Direct3DRM::CreateViewport(Ref<Device> device, Ref<Frame> camera, int x, int y, int width, int height,
                                   Ref<Viewport>* out) const {
  return Viewport::Create(std::move(device), std::move(camera), x, y, width, height, out);
}

HResult Direct3DRMCreate(Ref<Direct3DRM>* out) {
  if (!out) return kEInvalidArg;
  *out = MakeRef<Direct3DRM>();
  return kOk;
}

}  // namespace platform::rm

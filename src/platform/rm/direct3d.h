#pragma once
// The 3D objects under the retained-mode device: the Direct3D object that
// lists the devices a display offers, the immediate device made for a back
// buffer, and the retained-mode object that makes devices and viewports.
// This machine has no 3D hardware: the list holds the two software devices.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ref.h"
#include "platform/result.h"
#include "platform/rm/device.h"
#include "platform/rm/viewport.h"
#include "platform/surface/direct_draw.h"

namespace platform::rm {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0, data3 = 0;
  std::uint8_t data4[8] = {};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// Colour models a device description may name (bits).
constexpr std::uint32_t kColorModelMonoBit = 1;  // as kColorModelMono
constexpr std::uint32_t kColorModelRgbBit = 2;   // as kColorModelRgb

struct DeviceDescription {
  std::uint32_t colorModel = 0;        // colour-model bits; 0 for none
  std::uint32_t zBufferBitDepths = 0;  // surface::bit_depth bits
};

struct DeviceInfo {
  Guid guid;
  std::string description, name;
  DeviceDescription hardware, emulation;
};

// The software devices: "Ramp Emulation" (mono) and "RGB Emulation".
extern const Guid kRampDeviceGuid;
extern const Guid kRgbDeviceGuid;

// The immediate device: a back buffer (with its attached z-buffer) that a
// device GUID was chosen for. Both software devices draw alike, so only the
// back buffer is kept.
class ImmediateDevice : public RefCounted {
 public:
  explicit ImmediateDevice(Ref<surface::Surface> backBuffer) : backBuffer_(std::move(backBuffer)) {}
  const Ref<surface::Surface>& BackBuffer() const { return backBuffer_; }

 private:
  Ref<surface::Surface> backBuffer_;
};

class Direct3D : public RefCounted {
 public:
  // The Direct3D side of a display object; refused for none.
  static HResult FromDirectDraw(surface::DirectDraw* ddraw, Ref<Direct3D>* out);
  // Calls back for each device; stops when the callback returns false.
  HResult EnumDevices(const std::function<bool(const DeviceInfo&)>& callback) const;
  // Refuses an unknown GUID or a back buffer the software devices cannot
  // draw into (8, 16 and 24 bits only).
  HResult CreateDevice(const Guid& guid, Ref<surface::Surface> backBuffer, Ref<ImmediateDevice>* out) const;
};

class Direct3DRM : public RefCounted {
 public:
  HResult CreateDeviceFromD3D(Direct3D* d3d, ImmediateDevice* d3dDevice, Ref<Device>* out) const;
  HResult CreateViewport(Ref<Device> device, Ref<Frame> camera, int x, int y, int width, int height,
                         Ref<Viewport>* out) const;
  // The game's meshes have no textures: accepted, with nothing to change.
  HResult SetDefaultTextureColors(std::uint32_t) { return kOk; }
  HResult SetDefaultTextureShades(std::uint32_t) { return kOk; }
};

HResult Direct3DRMCreate(Ref<Direct3DRM>* out);

}  // namespace platform::rm

#pragma once
// A loopback device with the listener at the origin facing +z, and buffers
// of a steady tone to play through it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sound/sound_buffer.h"
#include "platform/sound/sound_device.h"
#include "support/succeeds.h"

namespace sound_test {

using namespace platform::sound;
using platform::kOk;
using platform::Ref;

inline WaveFormat Mono16(std::uint32_t rate = 22050) {
  WaveFormat f;
  f.formatTag = kWaveFormatPcm;
  f.channels = 1;
  f.samplesPerSec = rate;
  f.bitsPerSample = 16;
  f.blockAlign = 2;
  f.avgBytesPerSec = rate * 2;
  return f;
}

// Peak and energy of a stretch of interleaved stereo samples, per channel.
struct Levels {
  int peak = 0;
  double left = 0, right = 0;
};
inline Levels Measure(const std::vector<std::int16_t>& stereo) {
  Levels l;
  for (std::size_t i = 0; i + 1 < stereo.size(); i += 2) {
    l.peak = std::max({l.peak, std::abs(int{stereo[i]}), std::abs(int{stereo[i + 1]})});
    l.left += static_cast<double>(stereo[i]) * stereo[i];
    l.right += static_cast<double>(stereo[i + 1]) * stereo[i + 1];
  }
  return l;
}

class Loopback : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Device::Create(&device, DeviceKind::kLoopback), kOk);
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, cooperation::kPriority), kOk);
    const BufferDesc desc{caps::kPrimaryBuffer | caps::kCtrl3D, 0, nullptr};
    ASSERT_EQ(device->CreateSoundBuffer(desc, &primary), kOk);
    ASSERT_EQ(primary->GetListener(&listener), kOk);
    EXPECT_OK(listener->SetOrientation({0, 0, 1}, {0, 1, 0}));
  }

  // A 3D buffer of `seconds` of a 440 Hz tone at half scale.
  Ref<SoundBuffer> Tone(double seconds, Ref<Sound3DBuffer>* buffer3D = nullptr) {
    const WaveFormat format = Mono16();
    const auto frames = static_cast<std::uint32_t>(seconds * format.samplesPerSec);
    Ref<SoundBuffer> buffer;
    const BufferDesc desc{caps::kCtrl3D | caps::kGlobalFocus, frames * 2, &format};
    EXPECT_EQ(device->CreateSoundBuffer(desc, &buffer), kOk);
    if (!buffer) return buffer;
    void *p1 = nullptr, *p2 = nullptr;
    std::uint32_t n1 = 0, n2 = 0;
    EXPECT_EQ(buffer->Lock(0, 0, &p1, &n1, &p2, &n2, kLockEntireBuffer), kOk);
    auto* samples = static_cast<std::int16_t*>(p1);
    for (std::uint32_t i = 0; i < n1 / 2; ++i)
      samples[i] = static_cast<std::int16_t>(16000 * std::sin(6.2831853 * 440.0 * i / format.samplesPerSec));
    EXPECT_EQ(buffer->Unlock(p1, n1, p2, n2), kOk);
    Ref<Sound3DBuffer> b3;
    EXPECT_EQ(buffer->Get3DBuffer(&b3), kOk);
    if (buffer3D) *buffer3D = b3;
    return buffer;
  }

  Levels Render(int frames) { return Measure(device->RenderSamples(frames)); }
  // A tenth of a second heard after the panning and gains have settled.
  Levels Settled() {
    Render(2205);
    return Render(4410);
  }
  static std::uint32_t Status(const Ref<SoundBuffer>& b) {
    std::uint32_t status = 0;
    EXPECT_EQ(b->GetStatus(&status), kOk);
    return status;
  }
  static std::uint32_t Position(const Ref<SoundBuffer>& b) {
    std::uint32_t at = 0;
    EXPECT_OK(b->GetCurrentPosition(&at));
    return at;
  }

  Ref<Device> device;
  Ref<SoundBuffer> primary;
  Ref<Listener> listener;
};

}  // namespace sound_test

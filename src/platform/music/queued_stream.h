#pragma once
// The music's way out: a listener-relative OpenAL source without distance
// attenuation on the sound device, fed by a ring of queued buffers that the
// main loop tops up. OpenAL stays inside this file's implementation.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ref.h"
#include "platform/sound/sound_device.h"

namespace platform::music {

class QueuedStream {
 public:
  // About 23 ms per buffer at 44.1 kHz; four of them ride out a slow turn
  // without a gap and keep the music within a tenth of a second of the game.
  static constexpr int kFramesPerBuffer = 1024;
  static constexpr int kBufferCount = 4;

  using RenderFn = std::function<void(std::int16_t* samples, int frames)>;

  // Null when the device cannot give a source and its buffers.
  static std::unique_ptr<QueuedStream> Open(const Ref<sound::Device>& device, int sampleRate);
  ~QueuedStream();

  // Refills every buffer the source has finished with and keeps it playing.
  void Fill(const RenderFn& render);
  // Drops what is queued, so that a stop is heard at once.
  void Flush();
  int QueuedBuffers() const;

 private:
  QueuedStream(Ref<sound::Device> device, int sampleRate);

  Ref<sound::Device> device_;
  int sampleRate_;
  unsigned source_ = 0;
  std::vector<unsigned> free_;
  std::vector<unsigned> all_;
  std::vector<std::int16_t> scratch_;
};

}  // namespace platform::music

#include "platform/music/queued_stream.h"

#include <AL/al.h>

namespace platform::music {

QueuedStream::QueuedStream(Ref<sound::Device> device, int sampleRate)
    : device_(std::move(device)), sampleRate_(sampleRate), scratch_(static_cast<std::size_t>(kFramesPerBuffer) * 2) {}

std::unique_ptr<QueuedStream> QueuedStream::Open(const Ref<sound::Device>& device, int sampleRate) {
  if (!device || sampleRate <= 0) return nullptr;
  device->MakeCurrent();
  std::unique_ptr<QueuedStream> stream(new QueuedStream(device, sampleRate));
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  if (alGetError() != AL_NO_ERROR) return nullptr;
  stream->source_ = source;
  ALuint buffers[kBufferCount] = {};
  alGenBuffers(kBufferCount, buffers);
  if (alGetError() != AL_NO_ERROR) return nullptr;  // the destructor frees the source
  stream->all_.assign(buffers, buffers + kBufferCount);
  stream->free_ = stream->all_;
  // Music is heard the same wherever the camera stands. OpenAL does not place
  // stereo sources anyway; this keeps it so for any format.
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  alSourcef(source, AL_GAIN, 1.0f);
  if (alGetError() != AL_NO_ERROR) return nullptr;
  return stream;
}

QueuedStream::~QueuedStream() {
  device_->MakeCurrent();
  if (source_) {
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    ALuint source = source_;
    alDeleteSources(1, &source);
  }
  if (!all_.empty()) {
    std::vector<ALuint> buffers(all_.begin(), all_.end());
    alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
  }
}

void QueuedStream::Fill(const RenderFn& render) {
  device_->MakeCurrent();
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    if (alGetError() != AL_NO_ERROR) break;
    free_.push_back(buffer);
  }
  while (!free_.empty()) {
    const ALuint buffer = free_.back();
    render(scratch_.data(), kFramesPerBuffer);
    alBufferData(buffer, AL_FORMAT_STEREO16, scratch_.data(),
                 static_cast<ALsizei>(scratch_.size() * sizeof(std::int16_t)), sampleRate_);
    alSourceQueueBuffers(source_, 1, &buffer);
    if (alGetError() != AL_NO_ERROR) break;
    free_.pop_back();
  }
  // A turn slower than the whole queue lets the source run dry and stop;
  // it picks up again with the fresh buffers.
  ALint state = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state != AL_PLAYING && QueuedBuffers() > 0) alSourcePlay(source_);
}

void QueuedStream::Flush() {
  device_->MakeCurrent();
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);
  free_ = all_;
}

int QueuedStream::QueuedBuffers() const {
  device_->MakeCurrent();
  ALint queued = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  return queued;
}

}  // namespace platform::music

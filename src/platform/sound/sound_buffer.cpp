#include "platform/sound/sound_buffer.h"

#include <algorithm>
#include <cstring>

#include "platform/sound/openal.h"

namespace platform::sound {

namespace {

bool PlayableFormat(const WaveFormat& f) {
  return f.formatTag == kWaveFormatPcm && (f.channels == 1 || f.channels == 2) &&
         (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.samplesPerSec >= 100 && f.samplesPerSec <= 200000 &&
         f.blockAlign == f.channels * f.bitsPerSample / 8;
}

ALenum AlFormat(const WaveFormat& f) {
  if (f.channels == 1) return f.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
  return f.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

}  // namespace

HResult Device::CreateSoundBuffer(const BufferDesc& desc, Ref<SoundBuffer>* out) {
  if (!out) return kInvalidParam;
  *out = nullptr;
  if (level_ == 0) return kInvalidCall;  // no cooperative level set yet
  if (desc.flags & caps::kPrimaryBuffer) {
    if (desc.bufferBytes != 0 || desc.format) return kInvalidParam;
  } else {
    if (!desc.format || desc.bufferBytes == 0 || desc.bufferBytes > kMaxBufferBytes) return kInvalidParam;
    if (!PlayableFormat(*desc.format) || desc.format->cbSize != desc.format->extra.size()) return kBadFormat;
    // A 3D sound has one position: it must be mono.
    if ((desc.flags & caps::kCtrl3D) && desc.format->channels != 1) return kInvalidParam;
  }
  Ref<SoundBuffer> buffer(new SoundBuffer(this, desc));
  if (!buffer->primary_) {
    HResult r = buffer->CreateSource();
    if (Failed(r)) return r;
  }
  *out = buffer;
  return kOk;
}

SoundBuffer::SoundBuffer(Device* device, const BufferDesc& desc)
    : device_(device), primary_((desc.flags & caps::kPrimaryBuffer) != 0), threeD_((desc.flags & caps::kCtrl3D) != 0) {
  if (!primary_) {
    format_ = *desc.format;
    data_.assign(desc.bufferBytes, format_.bitsPerSample == 8 ? 0x80 : 0);
  }
  device_->Register(this);
}

SoundBuffer::~SoundBuffer() {
  device_->Unregister(this);
  if (source_ || alBuffer_) {
    device_->MakeCurrent();
    if (source_) {
      alSourceStop(source_);
      alSourcei(source_, AL_BUFFER, 0);
      alDeleteSources(1, &source_);
    }
    if (alBuffer_) alDeleteBuffers(1, &alBuffer_);
  }
}

HResult SoundBuffer::CreateSource() {
  device_->MakeCurrent();
  alGetError();
  alGenSources(1, &source_);
  if (alGetError() != AL_NO_ERROR) {
    source_ = 0;
    return kOutOfMemory;
  }
  alGenBuffers(1, &alBuffer_);
  if (alGetError() != AL_NO_ERROR) {
    alBuffer_ = 0;
    return kOutOfMemory;
  }
  if (threeD_) {
    // The service's defaults: minimum distance 1, a maximum too far to
    // matter, no cone, the listener-wide rolloff.
    alSourcef(source_, AL_REFERENCE_DISTANCE, 1.0f);
    alSourcef(source_, AL_MAX_DISTANCE, 1.0e9f);
    alSourcef(source_, AL_ROLLOFF_FACTOR, device_->Rolloff());
  } else {
    // A plain buffer plays as it is, wherever the listener stands.
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0f);
  }
  return Upload();
}

void SoundBuffer::ApplyRolloff(float rolloff) {
  if (!threeD_ || !source_) return;
  device_->MakeCurrent();
  alSourcef(source_, AL_ROLLOFF_FACTOR, rolloff);
}

HResult SoundBuffer::GetListener(Ref<Listener>* out) {
  if (!out) return kInvalidParam;
  *out = nullptr;
  if (!primary_ || !threeD_) return kNoInterface;
  *out = Ref<Listener>(new Listener(this));
  return kOk;
}

HResult SoundBuffer::Get3DBuffer(Ref<Sound3DBuffer>* out) {
  if (!out) return kInvalidParam;
  *out = nullptr;
  if (primary_ || !threeD_) return kNoInterface;
  *out = Ref<Sound3DBuffer>(new Sound3DBuffer(this));
  return kOk;
}

HResult SoundBuffer::Lock(std::uint32_t offset, std::uint32_t count, void** region1, std::uint32_t* bytes1,
                          void** region2, std::uint32_t* bytes2, std::uint32_t flags) {
  if (primary_) return kInvalidCall;
  if (!region1 || !bytes1) return kInvalidParam;
  if (locked_) return kInvalidCall;
  const std::uint32_t size = Bytes();
  if (flags & kLockEntireBuffer) {
    offset = 0;
    count = size;
  }
  if (offset >= size || count == 0 || count > size) return kInvalidParam;
  const std::uint32_t first = std::min(count, size - offset);
  *region1 = data_.data() + offset;
  *bytes1 = first;
  const std::uint32_t rest = count - first;
  if (region2) *region2 = rest ? data_.data() : nullptr;
  if (bytes2) *bytes2 = rest;
  if (rest && (!region2 || !bytes2)) return kInvalidParam;
  locked_ = true;
  return kOk;
}

HResult SoundBuffer::Unlock(void*, std::uint32_t, void*, std::uint32_t) {
  if (primary_) return kInvalidCall;
  if (!locked_) return kInvalidCall;
  locked_ = false;
  return Upload();
}

HResult SoundBuffer::Upload() {
  device_->MakeCurrent();
  // A buffer in use by a source cannot take new data: the sound is stopped
  // for the upload and its position kept.
  ALint state = AL_INITIAL;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  ALint offset = 0;
  alGetSourcei(source_, AL_BYTE_OFFSET, &offset);
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);
  // Only whole sample frames reach OpenAL.
  const std::size_t whole = data_.size() / format_.blockAlign * format_.blockAlign;
  alGetError();
  alBufferData(alBuffer_, AlFormat(format_), data_.data(), static_cast<ALsizei>(whole),
               static_cast<ALsizei>(format_.samplesPerSec));
  if (alGetError() != AL_NO_ERROR) return kOutOfMemory;
  alSourcei(source_, AL_BUFFER, static_cast<ALint>(alBuffer_));
  if (state == AL_PLAYING || state == AL_PAUSED) {
    alSourcei(source_, AL_BYTE_OFFSET, offset);
    if (state == AL_PLAYING)
      alSourcePlay(source_);
    else
      alSourcePause(source_);
  }
  return kOk;
}

HResult SoundBuffer::Restore() { return kOk; }

HResult SoundBuffer::Play(std::uint32_t flags) {
  if (primary_) return kInvalidCall;
  device_->MakeCurrent();
  alSourcei(source_, AL_LOOPING, (flags & kPlayLooping) ? AL_TRUE : AL_FALSE);
  ALint state = AL_INITIAL;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state != AL_PLAYING) alSourcePlay(source_);
  return kOk;
}

HResult SoundBuffer::Stop() {
  if (primary_) return kInvalidCall;
  device_->MakeCurrent();
  ALint state = AL_INITIAL;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING) alSourcePause(source_);
  return kOk;
}

HResult SoundBuffer::SetCurrentPosition(std::uint32_t offset) {
  if (primary_) return kInvalidCall;
  if (offset >= Bytes()) return kInvalidParam;
  device_->MakeCurrent();
  const std::uint32_t frame = offset / format_.blockAlign * format_.blockAlign;
  ALint state = AL_INITIAL;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  // A sound that played to its end starts over when played again; from
  // anywhere else it must go on from the new position.
  if (state == AL_STOPPED || state == AL_INITIAL) {
    alSourceRewind(source_);
    if (frame) alSourcei(source_, AL_BYTE_OFFSET, static_cast<ALint>(frame));
  } else {
    alSourcei(source_, AL_BYTE_OFFSET, static_cast<ALint>(frame));
  }
  return kOk;
}

HResult SoundBuffer::GetCurrentPosition(std::uint32_t* play) const {
  if (primary_) return kInvalidCall;
  if (!play) return kInvalidParam;
  device_->MakeCurrent();
  ALint state = AL_INITIAL, offset = 0;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  alGetSourcei(source_, AL_BYTE_OFFSET, &offset);
  *play = (state == AL_PLAYING || state == AL_PAUSED) ? static_cast<std::uint32_t>(offset) : 0;
  return kOk;
}

HResult SoundBuffer::GetStatus(std::uint32_t* status) const {
  if (!status) return kInvalidParam;
  *status = 0;
  if (primary_) return kOk;
  device_->MakeCurrent();
  ALint state = AL_INITIAL, looping = AL_FALSE;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  alGetSourcei(source_, AL_LOOPING, &looping);
  if (state == AL_PLAYING) *status = kStatusPlaying | (looping ? kStatusLooping : 0);
  return kOk;
}

}  // namespace platform::sound

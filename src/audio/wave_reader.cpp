#include "audio/wave_reader.h"

#include <algorithm>
#include <cstring>

#include "core/bytes.h"
#include "platform/os/file_access.h"

namespace audio {

using core::Le16;
using core::Le32;

namespace {

constexpr std::uint32_t FourCC(const char (&s)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

}  // namespace

WaveReader::WaveReader() = default;

WaveReader::~WaveReader() { Close(); }

void WaveReader::Close() {
  file_.clear();
  file_.shrink_to_fit();
  open_ = false;
}

platform::HResult WaveReader::Fail(const std::string& reason) {
  error_ = reason;
  format_.reset();
  dataSize_ = dataLeft_ = 0;
  Close();
  return platform::kEFail;
}

bool WaveReader::ReadAt(std::uint64_t offset, void* out, std::size_t count) {
  if (offset > file_.size() || count > file_.size() - offset) return false;
  std::memcpy(out, file_.data() + offset, count);
  return true;
}

bool WaveReader::FindChunk(std::uint32_t id, Chunk* out) {
  // The chunks follow the form type; each is padded to an even length.
  std::uint64_t at = riff_.dataOffset + 4;
  const std::uint64_t end = riff_.dataOffset + riff_.size;
  while (at + 8 <= end) {
    std::uint8_t header[8];
    if (!ReadAt(at, header, 8)) return false;
    Chunk c{Le32(header), Le32(header + 4), at + 8};
    if (c.size > end - c.dataOffset) {
      error_ = "a chunk runs past the end of the RIFF chunk";
      return false;
    }
    if (c.id == id) {
      *out = c;
      return true;
    }
    at = c.dataOffset + c.size + (c.size & 1);
  }
  return false;
}

bool WaveReader::ReadFormat(const Chunk& fmt) {
  if (fmt.size < 16) {
    error_ = "the \"fmt \" chunk is shorter than 16 bytes";
    return false;
  }
  std::uint8_t pcm[16];
  if (!ReadAt(fmt.dataOffset, pcm, 16)) return false;
  auto format = std::make_unique<platform::sound::WaveFormat>();
  format->formatTag = Le16(pcm);
  format->channels = Le16(pcm + 2);
  format->samplesPerSec = Le32(pcm + 4);
  format->avgBytesPerSec = Le32(pcm + 8);
  format->blockAlign = Le16(pcm + 12);
  format->bitsPerSample = Le16(pcm + 14);
  if (format->formatTag != platform::sound::kWaveFormatPcm) {
    // Other formats carry a size and that many extra bytes, all inside the
    // chunk.
    std::uint8_t extraSize[2];
    if (fmt.size < 18 || !ReadAt(fmt.dataOffset + 16, extraSize, 2)) {
      error_ = "the \"fmt \" chunk ends before its extra-size field";
      return false;
    }
    const std::uint16_t n = Le16(extraSize);
    if (n > fmt.size - 18) {
      error_ = "the \"fmt \" chunk ends inside its extra bytes";
      return false;
    }
    format->extra.resize(n);
    if (n && !ReadAt(fmt.dataOffset + 18, format->extra.data(), n)) return false;
    format->cbSize = n;
  }
  if (format->channels == 0 || format->blockAlign == 0 || format->samplesPerSec == 0) {
    error_ = "the format has no channels, no sample size or no rate";
    return false;
  }
  format_ = std::move(format);
  return true;
}

platform::HResult WaveReader::Open(const std::string& fileName) {
  platform::os::FileRead file = platform::os::ReadRegularFile(fileName, platform::os::FileKind::kWave);
  if (!file.Ok()) return Fail(file.why);
  return OpenBytes(std::move(file.bytes));
}

platform::HResult WaveReader::OpenBytes(std::string bytes) {
  format_.reset();
  Close();
  error_.clear();
  dataSize_ = dataLeft_ = 0;
  file_ = std::move(bytes);
  open_ = true;
  const std::uint64_t fileSize = file_.size();

  std::uint8_t header[12];
  if (!ReadAt(0, header, 12) || Le32(header) != FourCC("RIFF") || Le32(header + 8) != FourCC("WAVE"))
    return Fail("not a RIFF WAVE file");
  riff_ = Chunk{FourCC("RIFF"), Le32(header + 4), 8};
  if (riff_.size < 4 || riff_.size > fileSize - 8) return Fail("the RIFF chunk claims more bytes than the file holds");

  Chunk fmt;
  if (!FindChunk(FourCC("fmt "), &fmt))
    return Fail(std::string("no \"fmt \" chunk") + (error_.empty() ? "" : " (" + error_ + ")"));
  if (!ReadFormat(fmt)) return Fail(error_.empty() ? "unreadable \"fmt \" chunk" : error_);

  Chunk data;
  if (!FindChunk(FourCC("data"), &data))
    return Fail(std::string("no \"data\" chunk") + (error_.empty() ? "" : " (" + error_ + ")"));
  if (data.size > kMaxDataBytes) return Fail("the \"data\" chunk is too large");
  chunk_ = data;
  dataSize_ = dataLeft_ = data.size;
  return platform::kOk;
}

std::uint32_t WaveReader::ReadData(std::uint32_t count, void* destination) {
  if (!open_ || !destination) return 0;
  const std::uint32_t n = std::min(count, dataLeft_);
  const std::uint64_t at = chunk_.dataOffset + (dataSize_ - dataLeft_);
  if (!ReadAt(at, destination, n)) return 0;
  dataLeft_ -= n;
  return n;
}

}  // namespace audio

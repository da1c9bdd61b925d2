#pragma once
// Reads a RIFF WAVE file: its format block and the bytes of its "data" chunk.
// Every size in the file is checked against the file itself before use, so a
// damaged or lying file is refused with a reason, and nothing larger than the
// file is ever allocated.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/result.h"
#include "platform/sound/wave_format.h"

namespace audio {

class WaveReader {
 public:
  // Sound effects are short; a "data" chunk larger than this is refused.
  static constexpr std::uint32_t kMaxDataBytes = 16u << 20;

  WaveReader();
  ~WaveReader();
  WaveReader(const WaveReader&) = delete;
  WaveReader& operator=(const WaveReader&) = delete;

  // kOk, positioned at the start of the "data" chunk; else kEFail with the
  // file closed and the reason (without the file's name) in Error().
  // The file is read whole (it is small, and capped), through the one file
  // access every reader uses.
  platform::HResult Open(const std::string& fileName);
  // The same for a file's bytes already in memory.
  platform::HResult OpenBytes(std::string bytes);
  // Copies up to `count` bytes of the "data" chunk; returns how many.
  std::uint32_t ReadData(std::uint32_t count, void* destination);
  void Close();

  // The format block (null until a file is open) and its stored size,
  // 18 + cbSize bytes.
  const platform::sound::WaveFormat* Format() const { return format_.get(); }
  std::size_t FormatBlockSize() const { return format_ ? format_->BlockSize() : 0; }
  std::uint32_t DataSize() const { return dataSize_; }
  const std::string& Error() const { return error_; }

 private:
  struct Chunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint64_t dataOffset = 0;  // of the chunk's contents
  };
  platform::HResult Fail(const std::string& reason);
  bool ReadAt(std::uint64_t offset, void* out, std::size_t count);
  // Looks for chunk `id` among the chunks of the RIFF chunk.
  bool FindChunk(std::uint32_t id, Chunk* out);
  bool ReadFormat(const Chunk& fmt);

  std::unique_ptr<platform::sound::WaveFormat> format_;
  std::string file_;  // the whole file
  bool open_ = false;
  Chunk riff_;
  Chunk chunk_;  // the "data" chunk once positioned
  std::uint32_t dataSize_ = 0;
  std::uint32_t dataLeft_ = 0;
  std::string error_;
};

}  // namespace audio

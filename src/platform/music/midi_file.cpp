#include "platform/music/midi_file.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "core/bytes.h"

namespace platform::music {

using core::Be16;
using core::Be24;
using core::Be32;

namespace {

constexpr std::uint64_t kMaxTicks = 0x7FFFFFFF;  // the player counts in int
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter

// Reads one chunk's events; everything it touches lies inside [pos, end).
class TrackReader {
 public:
  TrackReader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

  bool Read(MidiFileInfo& info, std::map<std::uint64_t, std::uint32_t>& tempos, std::string& error) {
    std::uint64_t tick = 0;
    int running = 0;
    while (p_ < end_) {
      std::uint32_t delta = 0;
      if (!VarLen(delta)) return Fail(error, "bad delta time");
      tick += delta;
      if (tick > kMaxTicks) return Fail(error, "track too long");
      if (p_ >= end_) return Fail(error, "event cut short");
      int status = *p_;
      if (status & 0x80) {
        ++p_;
      } else if (running) {
        status = running;
      } else {
        return Fail(error, "data byte without a status");
      }
      if (status == 0xFF) {
        running = 0;
        if (p_ >= end_) return Fail(error, "meta event cut short");
        const int type = *p_++;
        std::uint32_t length = 0;
        if (!VarLen(length) || length > Left()) return Fail(error, "meta event cut short");
        if (type == 0x51) {
          if (length != 3) return Fail(error, "bad tempo event");
          const std::uint32_t tempo = Be24(p_);
          if (tempo == 0) return Fail(error, "bad tempo event");
          tempos[tick] = tempo;
        }
        p_ += length;
        if (type == 0x2F) break;  // end of track: anything after it is never played
      } else if (status == 0xF0 || status == 0xF7) {
        running = 0;
        std::uint32_t length = 0;
        if (!VarLen(length) || length > Left()) return Fail(error, "system exclusive cut short");
        p_ += length;
      } else if (status >= 0xF0) {
        return Fail(error, "system message not allowed in a file");
      } else {
        running = status;
        const std::size_t count = (status & 0xE0) == 0xC0 ? 1 : 2;
        if (Left() < count) return Fail(error, "channel event cut short");
        for (std::size_t i = 0; i < count; ++i) {
          if (p_[i] & 0x80) return Fail(error, "bad data byte");
        }
        if ((status & 0xF0) == 0x90 && p_[1] != 0) ++info.noteCount;
        p_ += count;
      }
    }
    info.lengthTicks = std::max(info.lengthTicks, static_cast<std::uint32_t>(tick));
    return true;
  }

 private:
  std::size_t Left() const { return static_cast<std::size_t>(end_ - p_); }
  bool VarLen(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      if (p_ >= end_) return false;
      const std::uint8_t b = *p_++;
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  static bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
  }

  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

bool PrintableId(const std::uint8_t* p) {
  return std::all_of(p, p + 4, [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

double Seconds(const std::map<std::uint64_t, std::uint32_t>& tempos, std::uint32_t endTick, int division) {
  double seconds = 0.0;
  std::uint64_t at = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const auto& [tick, value] : tempos) {
    if (tick >= endTick) break;
    seconds += static_cast<double>(tick - at) * tempo / 1e6 / division;
    at = tick;
    tempo = value;
  }
  return seconds + static_cast<double>(endTick - at) * tempo / 1e6 / division;
}

MidiFileInfo Invalid(const std::string& why) {
  MidiFileInfo info;
  info.error = why;
  return info;
}

}  // namespace

MidiFileInfo CheckMidiFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kMaxMidiFileBytes) return Invalid("file too large");
  if (bytes.size() < 14 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd")) {
    return Invalid("not a Standard MIDI File");
  }
  const std::uint32_t headerLength = Be32(&bytes[4]);
  if (headerLength < 6 || headerLength > bytes.size() - 8) return Invalid("bad header chunk");
  MidiFileInfo info;
  info.format = static_cast<int>(Be16(&bytes[8]));
  info.trackCount = static_cast<int>(Be16(&bytes[10]));
  const std::uint32_t division = Be16(&bytes[12]);
  if (info.format > 1) return Invalid("only formats 0 and 1 are played");
  if (info.trackCount < 1 || info.trackCount > kMaxMidiTracks || (info.format == 0 && info.trackCount != 1)) {
    return Invalid("bad track count");
  }
  if (division == 0 || (division & 0x8000)) return Invalid("bad time division");
  info.division = static_cast<int>(division);

  std::map<std::uint64_t, std::uint32_t> tempos;
  std::size_t pos = 8 + headerLength;
  int tracksRead = 0;
  while (tracksRead < info.trackCount) {
    if (bytes.size() - pos < 8) {
      char why[64];
      std::snprintf(why, sizeof why, "file ends after %d of %d tracks", tracksRead, info.trackCount);
      return Invalid(why);
    }
    const std::uint8_t* chunk = &bytes[pos];
    const std::uint32_t length = Be32(chunk + 4);
    if (length > bytes.size() - pos - 8) return Invalid("chunk runs past the end of the file");
    if (std::equal(chunk, chunk + 4, "MTrk")) {
      std::string why;
      if (!TrackReader(chunk + 8, length).Read(info, tempos, why)) {
        return Invalid("track " + std::to_string(tracksRead + 1) + ": " + why);
      }
      ++tracksRead;
    } else if (!PrintableId(chunk)) {
      return Invalid("bad chunk id");
    }
    pos += 8 + length;
  }
  info.lengthSeconds = Seconds(tempos, info.lengthTicks, info.division);
  info.valid = true;
  return info;
}

}  // namespace platform::music

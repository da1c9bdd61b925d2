#pragma once
// A segment: one Standard MIDI File, checked and held in memory, ready to be
// started on the performance as often as the game likes.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/music/midi_file.h"
#include "platform/ref.h"
#include "platform/result.h"

namespace platform::music {

class Performance;

enum class SegmentParam {
  StandardMidiFile,  // program changes follow General MIDI
  Download,          // the performance's instruments serve this segment
  Unload,            // the segment no longer needs them
};

class Segment : public RefCounted {
 public:
  Segment(std::string name, std::vector<std::uint8_t> bytes, const MidiFileInfo& info)
      : name_(std::move(name)), bytes_(std::move(bytes)), info_(info) {}

  HResult SetParam(SegmentParam param, Performance* performance);
  // Length in ticks of the file's time division (the longest track's end).
  HResult GetLength(std::uint32_t* ticks) const;

  const std::string& Name() const { return name_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  const MidiFileInfo& Info() const { return info_; }
  bool Downloaded() const { return downloaded_; }

 private:
  std::string name_;
  std::vector<std::uint8_t> bytes_;
  MidiFileInfo info_;
  bool downloaded_ = false;
};

// One start of a segment; the performance names it in that start's
// notifications.
class SegmentState : public RefCounted {
 public:
  SegmentState(Ref<Segment> segment, std::uint64_t serial) : segment_(std::move(segment)), serial_(serial) {}
  const Ref<Segment>& GetSegment() const { return segment_; }
  std::uint64_t Serial() const { return serial_; }

 private:
  Ref<Segment> segment_;
  std::uint64_t serial_;
};

}  // namespace platform::music

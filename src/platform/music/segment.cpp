#include "platform/music/segment.h"

#include "platform/music/music_result.h"
#include "platform/music/performance.h"

namespace platform::music {

HResult Segment::SetParam(SegmentParam param, Performance* performance) {
  if (!performance) return kEInvalidArg;
  switch (param) {
    case SegmentParam::StandardMidiFile: return kOk;  // our synthesizer always reads program changes as General MIDI
    case SegmentParam::Download:
      if (!performance->Ready()) return kMusicNotInitialized;
      downloaded_ = true;
      return kOk;
    case SegmentParam::Unload: downloaded_ = false; return kOk;
  }
  return kEInvalidArg;
}

HResult Segment::GetLength(std::uint32_t* ticks) const {
  if (!ticks) return kEInvalidArg;
  *ticks = info_.lengthTicks;
  return kOk;
}

}  // namespace platform::music

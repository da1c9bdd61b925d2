#pragma once
// Reading the demo file. The whole file is checked before anything of it is
// used: a file that is cut short, holds anything but a number where a value
// is due, or a stage or sample count the game has no room for, is refused as
// a whole and leaves the recording and the game record as they were. Exactly
// the N samples the count gives are read; what follows them is ignored.
#include <istream>
#include <string>

namespace demo {

enum class DemoReadError {
  None,
  CannotOpen,
  NotANumber,       // also a word too long to be one
  StageOutOfRange,  // not 1..5
  CountOutOfRange,  // more samples than the record holds
  EndsEarly,        // fewer values than the count promises
};

struct DemoReadResult {
  DemoReadError error = DemoReadError::None;
  int line = 0;  // where the fault was found (1-based); 0 for none
  bool Ok() const { return error == DemoReadError::None; }
};

// "line 7: not a number" and the like.
std::string DescribeDemoRead(const DemoReadResult& result);

// Checks the stream, then reads it again into demoStage, recordCount, the
// milk and sugar flags, the prop poses and the channels. The stream must be
// seekable back to its start.
DemoReadResult ReadDemo(std::istream& in);

// ReadDemo on a file, and on success the milk and sugar pots wear their
// covers as the recorded order wants. A refused file is reported on the
// debug output.
DemoReadResult LoadDemoFile(const std::string& path);

}  // namespace demo

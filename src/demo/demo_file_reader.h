#pragma once
// Reading the demo file. The whole file is checked before anything of it is
// used: a file that is cut short, holds more or other than its count says,
// or anything that is not a number of the right range, is refused as a whole
// and leaves the recording and the game record as they were.
#include <istream>
#include <string>

namespace demo {

enum class DemoReadError {
  None,
  CannotOpen,
  NotANumber,       // also a word too long to be one
  StageOutOfRange,  // not 1..5
  CountOutOfRange,  // below 0 or more samples than the record holds
  FlagOutOfRange,   // milk or sugar flag not 0 or 1
  EndsEarly,        // fewer values than the count promises
  ExtraValues,      // more values than the count promises
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

#pragma once
// Recording a run and playing it back (the replay and the attract demo).
#include <string>

#include "core/status.h"

namespace demo {

// Timer 5 while a stage is played: one more sample of the run.
void RecordDemoSample();
// Timer 6 during a replay or the attract demo: the next sample onto the scene.
void PlayDemoSample();
// "demo.dat" beside the executable: read for the attract demo; written from
// the recording in memory (when it cannot be written, the old file, if any,
// is left whole and the failure says why).
bool LoadDemo();
core::Status SaveDemo();

// Where SaveDemo writes: the executable's own folder, or the user's data
// folder when that cannot be written (an installed game).
std::string DemoFilePath();
// The attract demo plays this file instead of demo.dat (--playdemo,
// --timedemo); recordings are still saved as demo.dat.
void PlayDemoFileInstead(const std::string& path);
std::string DemoFileToPlay();
// Where LoadDemo reads: beside the executable first.
std::string DemoFileToRead();

}  // namespace demo

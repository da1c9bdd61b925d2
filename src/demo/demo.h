#pragma once
// Recording a run and playing it back (the replay and the attract demo).
#include <string>

namespace demo {

// Timer 5 while a stage is played: one more sample of the run.
void RecordDemoSample();
// Timer 6 during a replay or the attract demo: the next sample onto the scene.
void PlayDemoSample();
// "demo.dat" beside the executable: read for the attract demo; written from
// the recording in memory (1 written, 2 not written: the old file, if any,
// is left whole, and `error` says why).
bool LoadDemo();
int SaveDemo(std::string* error = nullptr);

// Where LoadDemo and SaveDemo look: the executable's own folder.
std::string DemoFilePath();

}  // namespace demo

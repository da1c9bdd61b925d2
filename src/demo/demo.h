#pragma once
// Recording a run and playing it back (the replay and the attract demo).

namespace demo {

void RecordDemoSample();
void PlayDemoSample();
// "demo.dat" beside the executable: read for the attract demo; written from
// the recording in memory (1 written, 2 cannot be opened for writing).
bool LoadDemo();
int SaveDemo();

}  // namespace demo

#pragma once
// Recording a run and playing it back (the replay and the attract demo).

namespace demo {

void RecordDemoSample();
void PlayDemoSample();

}  // namespace demo

#include "demo/demo.h"

namespace demo {

// Recording and playback come with the demo work.
void RecordDemoSample() {}
void PlayDemoSample() {}
bool LoadDemo() { return false; }
int SaveDemo() { return 2; }

}  // namespace demo

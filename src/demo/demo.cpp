#include "demo/demo.h"

namespace demo {

// Recording and playback come with the demo work.
void RecordDemoSample() {}
void PlayDemoSample() {}

}  // namespace demo

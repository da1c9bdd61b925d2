#include "platform/sound/library_noise.h"

namespace platform::sound {

// The browser's OpenAL speaks through Web Audio and prints nothing.
void QuietLibraryNoise() {}

}  // namespace platform::sound

#include "platform/sound/library_noise.h"

#include <dlfcn.h>

#include <cstdlib>

#include "platform/os/debug_output.h"

namespace platform::sound {

namespace {

// ALSA's error handler type, declared here so that no ALSA header or link is
// needed: OpenAL Soft loads ALSA itself, and we reach the same library.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt, ...);
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietLibraryNoise() {
  if (os::DebugOutputEnabled()) return;
  setenv("ALSOFT_LOGLEVEL", "0", 0);
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
  if (!alsa) return;  // no ALSA, no ALSA noise; the handle stays open for OpenAL Soft
  using SetHandler = int (*)(AlsaErrorHandler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(IgnoreAlsaError);
}

}  // namespace platform::sound

#include "platform/music/glib_log.h"

#include <dlfcn.h>

#include <string>

#include "platform/os/debug_output.h"

namespace platform::music {

namespace {

// GLib's handler type, declared here so that no GLib header or link is
// needed: FluidSynth loads GLib itself, and we reach the same library.
using GlibLogHandler = void (*)(const char* domain, int level, const char* message, void* data);

void ToDebugOutput(const char* domain, int, const char* message, void*) {
  os::OutputDebugString(std::string("music: ") + (domain ? domain : "glib") + ": " + (message ? message : "") + "\n");
}

}  // namespace

void RouteGlibLogToDebugOutput() {
  using SetDefaultHandler = GlibLogHandler (*)(GlibLogHandler, void*);
  if (auto set = reinterpret_cast<SetDefaultHandler>(dlsym(RTLD_DEFAULT, "g_log_set_default_handler")))
    set(ToDebugOutput, nullptr);
}

}  // namespace platform::music

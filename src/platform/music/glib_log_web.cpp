#include "platform/music/glib_log.h"

namespace platform::music {

// The browser's FluidSynth is built without GLib: its SoundFont errors reach
// FluidSynth's own log function, which the music already routes.
void RouteGlibLogToDebugOutput() {}

}  // namespace platform::music

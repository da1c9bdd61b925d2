#pragma once
// FluidSynth tries a file its SoundFont reader refused with its DLS reader
// too, a library built on GLib, which writes "** CRITICAL **" lines about
// the same file to standard error. GLib's default log handler is pointed at
// our debug output instead, so that a broken SoundFont is said in our one
// line only (and with --debug, GLib's lines follow it there).
namespace platform::music {

void RouteGlibLogToDebugOutput();

}  // namespace platform::music

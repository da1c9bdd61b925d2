#pragma once
// The sound libraries' own chatter on standard error. A machine without a
// sound card makes ALSA and OpenAL Soft print pages of it while the device is
// looked for; the player is told once instead, and --debug keeps it all.

namespace platform::sound {

// Silences the chatter unless the debug output is on. Call before the first
// OpenAL call: OpenAL Soft reads its log level once.
void QuietLibraryNoise();

}  // namespace platform::sound

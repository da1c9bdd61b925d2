#pragma once
// The machine under the program, chosen once at start-up for every service
// together. Each service is reached through its own small interface with a
// live and a headless implementation:
//
//   service              interface                  live                 headless
//   video, timers,       os::Backend                SDL2 window, clock,  no window, a virtual clock
//   keyboard, clock                                 events               that moves a turn a turn
//   joystick             joystick::JoystickSource   SDL2 joysticks       the input script's joystick
//   sound                sound::Device              OpenAL Soft device   no device
//   music                music::Performance         FluidSynth into the  no device to play into:
//                                                   sound device         silent
//
// The game sees only what the interfaces report: no display, no device.
// Until a start, and after a stop, every service is headless.
#include <string>

#include "platform/os/backend.h"

namespace platform {

// False (with a reason) when the live machine cannot start.
bool StartBackends(const os::BackendOptions& options, std::string* error = nullptr);
void StopBackends();

}  // namespace platform

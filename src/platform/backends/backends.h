#pragma once
// The machine under the program, chosen once at start-up from the command
// line for every service together, and handed to what starts each service.
// Each service is reached through its own small interface with a live and a
// headless side:
//
//   service             interface                  live                    headless
//   video, timers,      os::Backend                SDL2 window, clock,     no window, a virtual clock
//   keyboard, clock                                events                  that moves a turn a turn
//   joystick            joystick::JoystickSource   SDL2 joysticks          the input script's joystick
//   sound               sound::Service             OpenAL's default        no device: the game runs
//                                                  device                  silent
//   music               music::Service, making     FluidSynth with a       silent: no SoundFont, no
//                       a music::Performance       SoundFont, into the     synthesis
//                                                  sound device
//
// The game sees only what the interfaces report: no display, no device.
// The OS backend alone is reached process-wide (window, message and clock
// calls come from everywhere, as the system calls they stand in for do); it
// lives exactly as long as the Backends object, and without one every OS
// call meets a headless machine.
#include <memory>
#include <string>

#include "platform/joystick/joystick_device.h"
#include "platform/music/music_service.h"
#include "platform/os/backend.h"
#include "platform/sound/sound_service.h"

namespace platform {

class Backends {
 public:
  // Starts the live or the headless machine, as `options` say; null (with a
  // reason) when the live one cannot start. One at a time: there is one
  // machine under the program.
  [[nodiscard]] static std::unique_ptr<Backends> Start(const os::BackendOptions& options, std::string* error = nullptr);
  // Stops the OS backend: the window closes.
  ~Backends();
  Backends(const Backends&) = delete;
  Backends& operator=(const Backends&) = delete;

  const sound::Service& Sound() const { return *sound_; }
  const music::Service& Music() const { return *music_; }
  joystick::DeviceKind Joystick() const { return joystick_; }

 private:
  explicit Backends(bool headless);

  std::unique_ptr<sound::Service> sound_;
  std::unique_ptr<music::Service> music_;
  joystick::DeviceKind joystick_;
};

}  // namespace platform

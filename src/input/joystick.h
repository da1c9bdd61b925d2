#pragma once
// The joystick, folded into the keyboard's vocabulary: the stick stands for
// the arrows, four assignable buttons for Enter, Tab, Shift and Ctrl.
#include "platform/joystick/joystick_device.h"

namespace input {

// True when a joystick is opened and acquired; the caller keeps the
// answer in gameState.joystickAvailable. From then on pads plugged in later
// are watched for. `kind` says where joysticks come from: SDL's, or the
// input script's.
bool InitJoystick(platform::joystick::DeviceKind kind);
// Once a step, before the polls: while no joystick is held, one plugged in
// since the last step is opened, gets the default buttons when it may, and
// sets joystickAvailable to 1. An unplugged one is let go by the polls:
// its directions and buttons read released and joystickAvailable is 0.
void TakeUpPluggedJoystick();
// A default assignment the player left as it was goes back to "none" for
// the configuration file to save.
void ForgetUntouchedDefaults();
// Lets the joystick and the watch go, forgetting untouched defaults.
void ReleaseJoystick();
// Refresh gameState.buttonDown[1..8] and the four direction flags; without a
// joystick they do nothing, and a failed read keeps the previous values.
void PollJoystickButtons();
void PollJoystickAxes();
// Whether a stored assignment is one of the joystick's buttons: the
// configuration file may hold any number, and one that names no button (-1
// for none, or anything out of range) is never held.
bool NamesAButton(int button);
// After `slot` was given a button, no other slot keeps that button.
void ClearDuplicateAssignments(int slot);

// Polls and reads the whole joystick state (the button configuration screen
// looks for any held button); false when there is no joystick or the read
// fails, leaving *out as it was.
bool ReadJoystickState(platform::joystick::JoystickState* out);

// For the window procedure on activation changes: the joystick is read only
// while the program is in the foreground, and is taken up again when the
// program comes back.
void OnAppActivate(bool active);

}  // namespace input

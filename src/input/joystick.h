#pragma once
// The joystick, folded into the keyboard's vocabulary: the stick stands for
// the arrows, four assignable buttons for Enter, Tab, Shift and Ctrl.

namespace input {

int InitJoystick();
void ReleaseJoystick();
void PollJoystickButtons();
void PollJoystickAxes();
// After `slot` was given a button, no other slot keeps that button.
void ClearDuplicateAssignments(int slot);

}  // namespace input

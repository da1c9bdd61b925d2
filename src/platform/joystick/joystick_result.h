#pragma once
// Result codes of the joystick service, with the values the original input
// service gave them, so that a reported failure reads the same.
#include "platform/result.h"

namespace platform::joystick {

constexpr HResult kNoEffect = kFalse;  // already acquired / not acquired
constexpr HResult kInvalidParam = kEInvalidArg;
constexpr HResult kNotAcquired = MakeComError(0x8007000Cu);
constexpr HResult kNotInitialized = MakeComError(0x80070015u);
constexpr HResult kAcquired = MakeComError(0x800700AAu);  // refused while acquired
constexpr HResult kInputLost = MakeComError(0x8007001Eu);
constexpr HResult kOtherAppHasPriority = MakeComError(0x80070005u);
constexpr HResult kDeviceNotRegistered = MakeComError(0x80040154u);

}  // namespace platform::joystick

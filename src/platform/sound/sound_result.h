#pragma once
// Result codes of the sound service, with the values the original sound
// service gave them (facility 0x878), so that a reported failure reads the
// same.
#include "platform/result.h"

namespace platform::sound {

constexpr HResult MakeDSHResult(std::uint32_t code) { return MakeComError(0x88780000u | (code & 0xFFFFu)); }

constexpr HResult kAllocated = MakeDSHResult(10);
constexpr HResult kInvalidCall = MakeDSHResult(50);
constexpr HResult kBadFormat = MakeDSHResult(100);
constexpr HResult kNoDriver = MakeDSHResult(120);
constexpr HResult kBufferLost = MakeDSHResult(150);
constexpr HResult kInvalidParam = kEInvalidArg;
constexpr HResult kOutOfMemory = kEOutOfMemory;
constexpr HResult kNoInterface = kENoInterface;

}  // namespace platform::sound

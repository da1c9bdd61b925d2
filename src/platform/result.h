#pragma once
// Result codes of the platform services. The game reports failures by the
// names the original services gave their codes, so the codes keep their
// values: COM's generic codes and the DirectDraw/Direct3D facility (0x876).
#include <cstdint>

namespace platform {

using HResult = std::int32_t;

constexpr HResult kOk = 0;
constexpr HResult kFalse = 1;

constexpr HResult MakeComError(std::uint32_t value) { return static_cast<HResult>(value); }
// MAKE_DDHRESULT: severity error, facility 0x876, the service's own code.
constexpr HResult MakeDDHResult(std::uint32_t code) { return static_cast<HResult>(0x88760000u | (code & 0xFFFFu)); }

constexpr HResult kENotImpl = MakeComError(0x80004001u);
constexpr HResult kENoInterface = MakeComError(0x80004002u);
constexpr HResult kEFail = MakeComError(0x80004005u);
constexpr HResult kEOutOfMemory = MakeComError(0x8007000Eu);
constexpr HResult kEInvalidArg = MakeComError(0x80070057u);
constexpr HResult kCoENotInitialized = MakeComError(0x800401F0u);

constexpr bool Succeeded(HResult r) { return r >= 0; }
constexpr bool Failed(HResult r) { return r < 0; }

}  // namespace platform

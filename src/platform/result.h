#pragma once
// Result codes of the platform services. The game reports failures by the
// names the original services gave their codes, so the codes keep their
// values: COM's generic codes and the DirectDraw/Direct3D facility (0x876).
//
// A result is a type of its own, not a bare integer, so that the compiler
// refuses a call whose result is dropped without a word: a caller either
// handles the code or says with Ignore() why it does not matter.
#include <cstdint>

namespace platform {

class [[nodiscard]] HResult {
 public:
  constexpr HResult() = default;
  constexpr explicit HResult(std::int32_t code) : code_(code) {}

  constexpr std::int32_t Code() const { return code_; }
  constexpr bool Succeeded() const { return code_ >= 0; }
  constexpr bool Failed() const { return code_ < 0; }

  // Drops the result on purpose; the argument says why at the call site.
  constexpr void Ignore(const char* /*why*/) const {}

  friend constexpr bool operator==(HResult, HResult) = default;

 private:
  std::int32_t code_ = 0;
};

constexpr HResult kOk{0};
constexpr HResult kFalse{1};

constexpr HResult MakeComError(std::uint32_t value) { return HResult(static_cast<std::int32_t>(value)); }
// MAKE_DDHRESULT: severity error, facility 0x876, the service's own code.
constexpr HResult MakeDDHResult(std::uint32_t code) {
  return HResult(static_cast<std::int32_t>(0x88760000u | (code & 0xFFFFu)));
}

constexpr HResult kENotImpl = MakeComError(0x80004001u);
constexpr HResult kENoInterface = MakeComError(0x80004002u);
constexpr HResult kEFail = MakeComError(0x80004005u);
constexpr HResult kEOutOfMemory = MakeComError(0x8007000Eu);
constexpr HResult kEInvalidArg = MakeComError(0x80070057u);
constexpr HResult kCoENotInitialized = MakeComError(0x800401F0u);

constexpr bool Succeeded(HResult r) { return r.Succeeded(); }
constexpr bool Failed(HResult r) { return r.Failed(); }

}  // namespace platform

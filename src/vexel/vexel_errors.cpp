// Failures of the rendering layer become one debug report naming the code.
#include <cstdio>

#include "platform/os/debug_output.h"
#include "platform/rm/rm_result.h"
#include "platform/surface/ddraw_result.h"
#include "vexel/vexel.h"

namespace vexel {

namespace {

struct NamedCode {
  platform::HResult code;
  const char* name;
};

#define VEXEL_DDRAW_ROW(name, value) {value, #name},
constexpr NamedCode kDirectDrawNames[] = {PLATFORM_DDRAW_RESULTS(VEXEL_DDRAW_ROW)};
#undef VEXEL_DDRAW_ROW

#define VEXEL_RM_ROW(id, name, code) {platform::MakeDDHResult(code), "D3DRMERR_" #name},
constexpr NamedCode kRetainedModeNames[] = {PLATFORM_RM_RESULTS(VEXEL_RM_ROW)};
#undef VEXEL_RM_ROW

template <std::size_t N>
const char* Lookup(const NamedCode (&table)[N], platform::HResult code) {
  for (const NamedCode& row : table)
    if (row.code == code) return row.name;
  return "Unknown Error";
}

}  // namespace

const char* DirectDrawErrorName(platform::HResult code) { return Lookup(kDirectDrawNames, code); }
const char* D3DRMErrorName(platform::HResult code) { return Lookup(kRetainedModeNames, code); }

void ReportDirectDrawError(platform::HResult code, const char* file, int line) {
  char name[256], text[1024];
  std::snprintf(name, sizeof name, "%s", DirectDrawErrorName(code));
  std::snprintf(text, sizeof text, "DirectDraw Error %s\nin file %s at line %d", name, file, line);
  VexelDebugPrint(text);
}

void ReportD3DRMError(platform::HResult code, const char* file, int line) {
  char name[256], text[1024];
  std::snprintf(name, sizeof name, "%s", D3DRMErrorName(code));
  std::snprintf(text, sizeof text, "Direct3D-RM Error : %s\nin file %s at line %d", name, file, line);
  VexelDebugPrint(text);
}

void VexelDebugPrint(const char* text) {
  std::snprintf(vexelContext.messageBuffer.data(), vexelContext.messageBuffer.size(), "%s\n", text);
  platform::os::OutputDebugString(vexelContext.messageBuffer.data());
}

}  // namespace vexel

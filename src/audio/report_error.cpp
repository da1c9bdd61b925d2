#include "audio/report_error.h"

#include <cstdio>
#include <string>

#include "platform/os/debug_output.h"

namespace audio {

void ReportError(platform::HResult code, const char* message) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08X ", static_cast<unsigned>(code.Code()));
  platform::os::OutputDebugString(std::string(text) + (message ? message : "") + "\n");
}

}  // namespace audio

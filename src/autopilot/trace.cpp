#include "autopilot/trace.h"

#include <cstdlib>

#include "platform/os/debug_output.h"

namespace autopilot {

Trace Trace::FromEnvironment() { return Trace(std::getenv("ZARN_AP_TRACE") != nullptr); }

void Trace::Say(std::string_view line) const { platform::os::OutputDebugString(line); }

void Trace::Detail(std::string_view line) const {
  if (details_) Say(line);
}

}  // namespace autopilot

// The input script parser: events come out in turn order or not at all.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os/turns.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<platform::os::ScriptEvent> events;
  std::string error;
  const bool ok =
      platform::os::ParseInputScript(std::string(reinterpret_cast<const char*>(data), size), events, &error);
  for (std::size_t i = 1; ok && i < events.size(); ++i)
    if (events[i].turn < events[i - 1].turn) std::abort();
  if (!ok && error.empty()) std::abort();
  return 0;
}

#include "app/top_level.h"

#include <cstdio>
#include <exception>

#include "core/exit_status.h"

namespace app {

int RunGuarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarn: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zarn: internal error\n");
  }
  return core::kExitInternalError;
}

}  // namespace app

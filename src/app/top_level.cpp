#include "app/top_level.h"

#include <cstdio>
#include <exception>

namespace app {

int RunGuarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarn: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zarn: internal error\n");
  }
  return kInternalErrorExit;
}

}  // namespace app

#include "platform/os/backend.h"

namespace platform::os {

namespace {
std::unique_ptr<Backend> g_backend;
}

bool StartBackend(const BackendOptions& options, std::string* error) {
  g_backend.reset();
  g_backend = options.headless ? MakeHeadlessBackend(options) : MakeSdlBackend(options, error);
  return g_backend != nullptr;
}

void StopBackend() { g_backend.reset(); }

Backend& CurrentBackend() {
  if (!g_backend) g_backend = MakeHeadlessBackend(BackendOptions{true, 60.0});
  return *g_backend;
}

bool IsHeadless() { return CurrentBackend().IsHeadless(); }

}  // namespace platform::os

#include "platform/os/debug_output.h"

#include <cstdio>

#include "platform/os/backend.h"

namespace platform::os {

namespace {
bool g_enabled = false;
bool g_capture = false;
std::vector<std::string> g_captured;
}  // namespace

bool DebugOutputEnabled() { return g_enabled; }

void OutputDebugString(std::string_view text) {
  if (g_capture) g_captured.emplace_back(text);
  if (g_enabled) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
}

void SetDebugOutputEnabled(bool enabled) { g_enabled = enabled; }
void CaptureDebugOutput(bool capture) { g_capture = capture; }
const std::vector<std::string>& CapturedDebugOutput() { return g_captured; }
void ClearCapturedDebugOutput() { g_captured.clear(); }

void MessageBox(const std::string& caption, const std::string& text) {
  CurrentBackend().ShowMessageBox(caption, text);
}

}  // namespace platform::os

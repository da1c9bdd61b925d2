#include "platform/os/debug_output.h"

#include <cstdio>
#include <set>

#include "platform/os/backend.h"

namespace platform::os {

namespace {
bool g_enabled = false;
bool g_capture = false;
std::vector<std::string> g_captured;
// A file the title retries every minute is reported the first time only.
std::set<std::string> g_reported;
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

void ReportRefusedFile(const std::string& path, std::string_view why) {
  if (!g_reported.insert(path).second) return;
  const std::string line = "zarn: " + path + ": " + std::string(why) + "\n";
  if (g_capture) g_captured.push_back(line);
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

void MessageBox(const std::string& caption, const std::string& text) { CurrentBackend().ShowMessageBox(caption, text); }

}  // namespace platform::os

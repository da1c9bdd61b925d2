#pragma once
// The debug output (OutputDebugStringA) and the message box. Debug output is
// silent unless switched on; then each text goes to standard error as it is.
#include <string>
#include <string_view>
#include <vector>

namespace platform::os {

void OutputDebugString(std::string_view text);
void SetDebugOutputEnabled(bool enabled);
bool DebugOutputEnabled();
// Keeps every debug text in memory as well (for tests).
void CaptureDebugOutput(bool capture);
const std::vector<std::string>& CapturedDebugOutput();
void ClearCapturedDebugOutput();

// A modal message box; on a machine without a display, standard error.
void MessageBox(const std::string& caption, const std::string& text);

}  // namespace platform::os

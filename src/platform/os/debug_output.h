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

// Says on standard error, once per file for the whole run, that a file was
// refused and why: "zarn: W3.wav: no "data" chunk". Kept with the debug
// output when that is captured.
void ReportRefusedFile(const std::string& path, std::string_view why);

// A modal message box; on a machine without a display, standard error.
void MessageBox(const std::string& caption, const std::string& text);

}  // namespace platform::os

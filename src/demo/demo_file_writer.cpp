#include "demo/demo_file_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "core/game_state.h"
#include "demo/demo.h"
#include "demo/demo_record.h"
#include "platform/os/debug_output.h"
#include "platform/os/file_access.h"
#include "platform/os/user_folders.h"

namespace demo {

namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string FormatDemoFloat(float value) {
  // The reader accepts only finite values; a broken pose is better played as
  // the origin than as a file that no longer loads.
  if (!std::isfinite(value)) value = 0.0f;
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
  char* e = std::strchr(text, 'e');
  if (!e) return text;
  // "1e-05" -> "1e-005": the exponent gets at least three digits.
  std::string mantissa(text, e + 2);  // up to and with the sign
  std::string digits(e + 2);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return mantissa + digits;
}

bool WriteDemo(std::ostream& out) {
  game::GameState& g = game::gameState;
  using game::Ingredient;
  g.demoMilkOrdered = game::Wanted(g.orderCup, g.orderGlass, Ingredient::Milk) ? 1 : 0;
  g.demoSugarOrdered = game::Wanted(g.orderCup, g.orderGlass, Ingredient::Sugar) ? 1 : 0;
  // The count written is the count of samples that follow, whatever the
  // record field holds.
  int count = std::clamp(g.recordCount, 0, kMaxSamples);
  out << g.stageNumber << kLineEnd << count << kLineEnd << g.demoMilkOrdered << kLineEnd << g.demoSugarOrdered
      << kLineEnd;
  for (float v : demoPropPoses) out << FormatDemoFloat(v) << kLineEnd;
  for (int sample = 1; sample <= count; ++sample)
    for (int c = 0; c < kChannels; ++c) out << FormatDemoFloat(demoChannels[c][sample]) << kLineEnd;
  return static_cast<bool>(out.flush());
}

core::Status SaveDemo() {
  std::ostringstream text;
  WriteDemo(text);
  std::string why;
  const std::string path = DemoFilePath();
  platform::os::MakeFolderFor(path);
  if (platform::os::WriteFileAtomically(path, text.str(), &why)) return core::Status::Success();
  platform::os::OutputDebugString(why + "\n");
  return core::Status::Failure(why);
}

}  // namespace demo

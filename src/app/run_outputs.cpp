#include "app/run_outputs.h"

#include <cstdio>

#include "app/command_line.h"
#include "core/game_state_fields.h"
#include "demo/demo.h"
#include "game/run_log.h"
#include "platform/os/file_access.h"
#include "platform/os/png_writer.h"
#include "platform/os/window.h"
#include "scene/frame_poses.h"

namespace app {

namespace {

// Nine significant digits bring every float back bit for bit.
std::string FloatText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  std::string s = text;
  // JSON has no NaN or infinities.
  if (s.find_first_of("ni") != std::string::npos) return "null";
  return s;
}

// The same list form as FloatArray below.
std::string FloatList(std::span<const float> values) {
  std::string list = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) list += ", ";
    list += FloatText(values[i]);
  }
  return list + "]";
}

std::string Triple(const std::array<float, 3>& v) { return FloatList(v); }

class JsonFields final : public game::FieldVisitor {
 public:
  std::string text;
  void Int(std::string_view name, std::int32_t value) override { Add(name, std::to_string(value)); }
  void Float(std::string_view name, float value) override { Add(name, FloatText(value)); }
  void IntArray(std::string_view name, std::span<const std::int32_t> values) override {
    std::string list = "[";
    for (std::size_t i = 0; i < values.size(); ++i) list += (i ? ", " : "") + std::to_string(values[i]);
    Add(name, list + "]");
  }
  void FloatArray(std::string_view name, std::span<const float> values) override { Add(name, FloatList(values)); }

 private:
  void Add(std::string_view name, const std::string& value) {
    text += (text.empty() ? "    \"" : ",\n    \"") + std::string(name) + "\": " + value;
  }
};

void Report(const std::string& what) { std::fprintf(stderr, "zarn: %s\n", what.c_str()); }

}  // namespace

std::string StateJson() {
  JsonFields fields;
  game::VisitFields(game::gameState, fields);
  std::string frames;
  for (const scene::FramePose& f : scene::NamedFramePoses()) {
    frames += frames.empty() ? "    \"" : ",\n    \"";
    frames += f.name + "\": {\"position\": " + Triple(f.position) + ", \"direction\": " + Triple(f.direction) +
              ", \"up\": " + Triple(f.up) + "}";
  }
  std::string stages;
  for (const game::StageRecord& r : game::runLog.stages) {
    stages += stages.empty() ? "\n    " : ",\n    ";
    stages += "{\"stage\": " + std::to_string(r.stage) + ", \"score\": " + std::to_string(r.score) +
              ", \"verdict\": \"" + r.verdict + "\", \"turns\": " + std::to_string(r.turns) + "}";
  }
  return "{\n  \"gameState\": {\n" + fields.text + "\n  },\n  \"frames\": {" +
         (frames.empty() ? "" : "\n" + frames + "\n  ") + "},\n  \"runLog\": [" +
         (stages.empty() ? "" : stages + "\n  ") +
         "],\n  \"allClearedSeen\": " + (game::runLog.allClearedSeen ? "true" : "false") + "\n}\n";
}

bool WriteRunOutputs() {
  // Each output is tried even when one before it failed, and each failure
  // is said with its file's name.
  bool ok = true;
  std::string error;
  auto check = [&](bool written) {
    if (!written) Report(error);
    ok = ok && written;
  };
  if (!runOptions.stateFile.empty())
    check(platform::os::WriteFileAtomically(runOptions.stateFile, StateJson(), &error));
  if (!runOptions.screenshotFile.empty())
    check(platform::os::WritePng(runOptions.screenshotFile, platform::os::LastPresentedPicture(), &error));
  if (runOptions.saveDemo) {
    const core::Status saved = demo::SaveDemo();
    error = saved.Why();
    check(saved.Ok());
  }
  return ok;
}

}  // namespace app

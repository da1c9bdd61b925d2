#include "app/state_trail.h"

#include <cstdio>
#include <span>

#include "core/game_state_fields.h"
#include "demo/demo_record.h"
#include "platform/os/messages.h"
#include "platform/os/output_file.h"
#include "scene/frame_poses.h"

namespace app {

namespace {

// FNV-1a over the bytes of each value, in a fixed order.
class Hasher final : public game::FieldVisitor {
 public:
  std::uint64_t value = 1469598103934665603ull;
  void Bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) value = (value ^ p[i]) * 1099511628211ull;
  }
  template <typename T>
  void Add(const T& v) {
    Bytes(&v, sizeof v);
  }
  void Int(std::string_view, std::int32_t v) override { Add(v); }
  void Float(std::string_view, float v) override { Add(v); }
  void IntArray(std::string_view, std::span<const std::int32_t> v) override { Bytes(v.data(), v.size_bytes()); }
  void FloatArray(std::string_view, std::span<const float> v) override { Bytes(v.data(), v.size_bytes()); }
};

platform::os::OutputFile trail;

}  // namespace

std::uint64_t StateHash() {
  Hasher h;
  game::VisitFields(game::gameState, h);
  for (const scene::FramePose& f : scene::NamedFramePoses()) {
    h.Add(f.position);
    h.Add(f.direction);
    h.Add(f.up);
  }
  for (const auto& t : platform::os::TimerSnapshot()) {
    // Eight bytes whatever the pointer width, so a 32-bit build's trail
    // (the browser's) is the desktop's.
    h.Add(static_cast<std::uint64_t>(t.id));
    h.Add(t.periodNs);
    h.Add(t.dueNs);
  }
  // The recording grows one sample at a time: its newest sample and the
  // props taken with the first stand for the whole.
  const int newest = game::gameState.recordCount;
  if (newest >= 0 && newest < demo::kChannelLength)
    for (const demo::Channel& c : demo::demoChannels) h.Add(c[newest]);
  h.Bytes(demo::demoPropPoses.data(), sizeof demo::demoPropPoses);
  return h.value;
}

core::Status StartTrail(const std::string& path, const std::string& commandLine) {
  std::string error;
  if (!trail.Open(path, &error)) return core::Status::Failure(error);
  trail.Write("# zarn trail: " + commandLine + "\n");
  return core::Status::Success();
}

void RecordTrailTurn(std::int64_t turn) {
  if (!trail.IsOpen()) return;
  char line[48];
  std::snprintf(line, sizeof line, "%lld %016llx\n", static_cast<long long>(turn),
                static_cast<unsigned long long>(StateHash()));
  trail.Write(line);
}

core::Status FinishTrail() {
  std::string error;
  if (trail.IsOpen() && !trail.Commit(&error)) return core::Status::Failure(error);
  return core::Status::Success();
}

void AbandonTrail() { trail.Abandon(); }

}  // namespace app

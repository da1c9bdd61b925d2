#include "platform/os/timer_table.h"

#include <algorithm>

namespace platform::os {

void TimerTable::Arm(std::uintptr_t id, std::uint32_t periodMs, std::int64_t nowNs) {
  // A zero period would fire on every look; Windows raises tiny periods to a
  // minimum, and so do we (1 ms).
  std::int64_t periodNs = std::max<std::int64_t>(periodMs, 1) * 1'000'000;
  Kill(id);
  timers_.push_back({id, periodNs, nowNs + periodNs, nextOrder_++});
}

void TimerTable::Kill(std::uintptr_t id) {
  std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
}

std::optional<std::uintptr_t> TimerTable::TakeDue(std::int64_t nowNs) {
  Timer* best = nullptr;
  for (Timer& t : timers_) {
    if (t.dueNs > nowNs) continue;
    if (!best || t.dueNs < best->dueNs || (t.dueNs == best->dueNs && t.armedOrder < best->armedOrder)) best = &t;
  }
  if (!best) return std::nullopt;
  // Keep the cadence, drop the periods that passed while nobody looked.
  std::int64_t missed = (nowNs - best->dueNs) / best->periodNs;
  best->dueNs += (missed + 1) * best->periodNs;
  return best->id;
}

std::vector<TimerTable::State> TimerTable::Snapshot() const {
  std::vector<State> out;
  for (const Timer& t : timers_) out.push_back({t.id, t.periodNs, t.dueNs});
  return out;
}

}  // namespace platform::os

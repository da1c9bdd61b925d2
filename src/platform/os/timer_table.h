#pragma once
// Windows timer semantics on a clock in nanoseconds: each id is periodic, has
// at most one WM_TIMER pending, loses the periods it missed, and restarts its
// period when armed again.
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::os {

class TimerTable {
 public:
  void Arm(std::uintptr_t id, std::uint32_t periodMs, std::int64_t nowNs);
  void Kill(std::uintptr_t id);

  // The id of the timer that has waited longest past its due time (ties: the
  // one armed first), with its next due time moved past `nowNs`; none when no
  // timer is due.
  std::optional<std::uintptr_t> TakeDue(std::int64_t nowNs);

  // Every armed timer as id, period and next due time, in arming order.
  struct State {
    std::uintptr_t id;
    std::int64_t periodNs, dueNs;
  };
  std::vector<State> Snapshot() const;

 private:
  struct Timer {
    std::uintptr_t id;
    std::int64_t periodNs;
    std::int64_t dueNs;
    std::uint64_t armedOrder;
  };
  std::vector<Timer> timers_;
  std::uint64_t nextOrder_ = 0;
};

}  // namespace platform::os

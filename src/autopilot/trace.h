#pragma once
// What the autopilot says about its play on the debug output: every phase
// change always, and with ZARN_AP_TRACE set, every arm move and lift-out
// plan too. The environment is read once, when the autopilot starts.
#include <string_view>

namespace autopilot {

class Trace {
 public:
  Trace() = default;
  explicit Trace(bool details) : details_(details) {}
  static Trace FromEnvironment();

  bool Details() const { return details_; }
  void Say(std::string_view line) const;
  // Only when details are asked for.
  void Detail(std::string_view line) const;

 private:
  bool details_ = false;
};

}  // namespace autopilot

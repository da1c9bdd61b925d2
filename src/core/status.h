#pragma once
// Whether a step of the run worked and, when it did not, why: the reason is
// the whole message the player is given, so callers print it as it stands.
// It cannot be dropped without a word (Ignore says why it may be), as a bool and a separate message
// string could.
#include <string>
#include <utility>

namespace core {

class [[nodiscard]] Status {
 public:
  static Status Success() { return Status(); }
  static Status Failure(std::string why) { return Status(std::move(why)); }

  bool Ok() const { return ok_; }
  // Empty when the step worked.
  const std::string& Why() const { return why_; }
  // Drops the status on purpose; the argument says why at the call site.
  void Ignore(const char* /*why*/) const {}

 private:
  Status() = default;
  explicit Status(std::string why) : ok_(false), why_(std::move(why)) {}

  bool ok_ = true;
  std::string why_;
};

}  // namespace core

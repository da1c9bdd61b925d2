#include "platform/os/number_text.h"

namespace platform::os {

std::from_chars_result FloatFromChars(const char* first, const char* last, float& out) {
  return std::from_chars(first, last, out, std::chars_format::general);
}

std::from_chars_result FloatFromChars(const char* first, const char* last, double& out) {
  return std::from_chars(first, last, out, std::chars_format::general);
}

}  // namespace platform::os

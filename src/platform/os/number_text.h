#pragma once
// Numbers read from text the way std::from_chars reads them: the whole
// word, no leading blanks, no plus sign, floating point in the general
// format. Not every standard library reads floating point that way yet (the
// browser's does not), so those two readers are the platform's.
#include <charconv>
#include <type_traits>

namespace platform::os {

std::from_chars_result FloatFromChars(const char* first, const char* last, float& out);
std::from_chars_result FloatFromChars(const char* first, const char* last, double& out);

template <typename T>
std::from_chars_result NumberFromChars(const char* first, const char* last, T& out) {
  if constexpr (std::is_floating_point_v<T>) {
    return FloatFromChars(first, last, out);
  } else {
    return std::from_chars(first, last, out);
  }
}

}  // namespace platform::os

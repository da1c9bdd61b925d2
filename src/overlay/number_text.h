#pragma once
// Amounts are shown as the integer part of the float, in decimal.
#include <cmath>
#include <limits>
#include <string>

namespace overlay {

// Truncated toward zero; a value beyond the int range or NaN (never met in
// play) gives the nearest int or 0 rather than undefined behaviour.
inline int WholePart(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0f) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

inline std::string WholeText(float value) { return std::to_string(WholePart(value)); }

}  // namespace overlay

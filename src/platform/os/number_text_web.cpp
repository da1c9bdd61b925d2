#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/os/number_text.h"

namespace platform::os {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// strtod accepts more than from_chars (blanks, a plus sign, hexadecimal);
// what it would read beyond from_chars is cut off before it sees the text.
template <typename T, typename Convert>
std::from_chars_result Read(const char* first, const char* last, T& out, Convert convert) {
  const char* p = first;
  if (p != last && *p == '-') ++p;
  if (p == last || !(IsDigit(*p) || *p == '.' || *p == 'i' || *p == 'I' || *p == 'n' || *p == 'N'))
    return {first, std::errc::invalid_argument};
  // "0x1p3" is 0 followed by other text to from_chars.
  if (p + 1 < last && *p == '0' && (p[1] == 'x' || p[1] == 'X')) last = p + 1;
  const std::string text(first, last);
  char* end = nullptr;
  errno = 0;
  const T value = convert(text.c_str(), &end);
  if (end == text.c_str()) return {first, std::errc::invalid_argument};
  const char* stop = first + (end - text.c_str());
  if (errno == ERANGE) return {stop, std::errc::result_out_of_range};
  out = value;
  return {stop, std::errc()};
}

}  // namespace

std::from_chars_result FloatFromChars(const char* first, const char* last, float& out) {
  return Read(first, last, out, [](const char* s, char** e) { return std::strtof(s, e); });
}

std::from_chars_result FloatFromChars(const char* first, const char* last, double& out) {
  return Read(first, last, out, [](const char* s, char** e) { return std::strtod(s, e); });
}

}  // namespace platform::os

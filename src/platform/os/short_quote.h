#pragma once
// Input quoted in an error message: at most a short prefix of it, so that a
// line of megabytes gives a message of one line.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::os {

inline constexpr std::size_t kQuotedInputLength = 40;

// `text` in single quotes, cut (on a UTF-8 character boundary) to
// kQuotedInputLength bytes with "..." after it when longer.
inline std::string ShortQuote(std::string_view text) {
  if (text.size() <= kQuotedInputLength) return "'" + std::string(text) + "'";
  std::size_t cut = kQuotedInputLength;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return "'" + std::string(text.substr(0, cut)) + "...' (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace platform::os

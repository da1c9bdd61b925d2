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
// Built by appending: GCC 12 warns falsely (-Wrestrict) on a quote mark
// added in front of a string with operator+.
inline std::string ShortQuote(std::string_view text) {
  std::string quoted(1, '\'');
  if (text.size() <= kQuotedInputLength) return quoted.append(text).append(1, '\'');
  std::size_t cut = kQuotedInputLength;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return quoted.append(text.substr(0, cut)).append("...' (").append(std::to_string(text.size())).append(" bytes)");
}

}  // namespace platform::os

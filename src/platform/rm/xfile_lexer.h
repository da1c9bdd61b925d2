#pragma once
// Tokens of a .x text file: words (names, keywords and numbers alike),
// "strings", <GUIDs>, braces and the separators ';' and ','. Comments start
// with // or # and run to the end of the line.
#include <cstddef>
#include <string_view>

namespace platform::rm {

enum class XTokenKind { Word, String, Guid, OpenBrace, CloseBrace, Separator, End, Error };

struct XToken {
  XTokenKind kind = XTokenKind::End;
  std::string_view text;  // without quotes or angle brackets
};

class XLexer {
 public:
  XLexer(std::string_view text, std::size_t offset) : text_(text), pos_(offset) {}

  XToken Next();
  XToken Peek();
  // Bytes not yet read: no further count can describe more items than this.
  std::size_t Remaining() const { return text_.size() - pos_; }

 private:
  void SkipSpaceAndComments();

  std::string_view text_;
  std::size_t pos_;
};

}  // namespace platform::rm

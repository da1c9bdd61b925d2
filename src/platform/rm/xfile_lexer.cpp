#include "platform/rm/xfile_lexer.h"

namespace platform::rm {
namespace {

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// '#' starts a comment only where a token could start: inside a word it is
// part of the word, so that "1.#QNAN" is one (bad) number rather than "1."
// and a comment that swallows the rest of the line.
bool IsPunctuation(unsigned char c) {
  return c == '{' || c == '}' || c == ';' || c == ',' || c == '"' || c == '<' || c == '>';
}

}  // namespace

void XLexer::SkipSpaceAndComments() {
  while (pos_ < text_.size()) {
    unsigned char c = static_cast<unsigned char>(text_[pos_]);
    if (IsSpace(c)) {
      ++pos_;
    } else if (c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')) {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else {
      return;
    }
  }
}

XToken XLexer::Peek() {
  std::size_t saved = pos_;
  XToken t = Next();
  pos_ = saved;
  return t;
}

XToken XLexer::Next() {
  SkipSpaceAndComments();
  if (pos_ >= text_.size()) return {XTokenKind::End, {}};
  const std::size_t start = pos_;
  unsigned char c = static_cast<unsigned char>(text_[pos_]);
  switch (c) {
    case '{': ++pos_; return {XTokenKind::OpenBrace, text_.substr(start, 1)};
    case '}': ++pos_; return {XTokenKind::CloseBrace, text_.substr(start, 1)};
    case ';':
    case ',': ++pos_; return {XTokenKind::Separator, text_.substr(start, 1)};
    case '"':
    case '<': {
      const char close = c == '"' ? '"' : '>';
      std::size_t end = text_.find(close, start + 1);
      if (end == std::string_view::npos) {
        pos_ = text_.size();
        return {XTokenKind::Error, {}};
      }
      pos_ = end + 1;
      return {c == '"' ? XTokenKind::String : XTokenKind::Guid, text_.substr(start + 1, end - start - 1)};
    }
    default: break;
  }
  if (c < 0x20 || c == 0x7F || c == '>') {  // control bytes: not a text file
    pos_ = text_.size();
    return {XTokenKind::Error, {}};
  }
  while (pos_ < text_.size()) {
    unsigned char d = static_cast<unsigned char>(text_[pos_]);
    if (IsSpace(d) || IsPunctuation(d) || d < 0x20 || d == 0x7F) break;
    if (d == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') break;
    ++pos_;
  }
  return {XTokenKind::Word, text_.substr(start, pos_ - start)};
}

}  // namespace platform::rm

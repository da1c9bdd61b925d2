#include "platform/os/profile.h"

#include <filesystem>
#include <optional>

#include "platform/os/file_access.h"

namespace platform::os {
namespace {

// ---------------------------------------------------------------- text rules

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// What the caller gets is a C string in the original, so nothing past a NUL.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

// A file in UTF-16 (with its byte-order mark) is not ours to read, nor to
// rewrite in another encoding.
bool IsUtf16(std::string_view text) {
  return text.starts_with(std::string_view("\xFF\xFE", 2)) || text.starts_with(std::string_view("\xFE\xFF", 2));
}
constexpr const char* kUtf16Refused = "it is in UTF-16, which is not read; left as it is";

std::size_t BomLength(std::string_view text) {
  return text.substr(0, 3) == std::string_view("\xEF\xBB\xBF", 3) ? 3 : 0;
}

// One line: [begin, textEnd) is its text, [textEnd, end) its line end (empty
// only for a last line without one).
struct Line {
  std::size_t begin = 0;
  std::size_t textEnd = 0;
  std::size_t end = 0;
};

// CR LF, LF and a lone CR all end a line. False once the text is used up.
bool NextLine(std::string_view text, std::size_t& pos, Line& line) {
  if (pos >= text.size()) return false;
  line.begin = pos;
  std::size_t i = pos;
  while (i < text.size() && text[i] != '\n' && text[i] != '\r') ++i;
  line.textEnd = i;
  if (i < text.size()) i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
  line.end = i;
  pos = i;
  return true;
}

// The file's own line end, for the lines we add; CR LF for a file without any.
std::string_view LineEndStyle(std::string_view text) {
  const std::size_t i = text.find_first_of("\r\n");
  if (i == std::string_view::npos) return "\r\n";
  if (text[i] == '\n') return "\n";
  return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // trimmed section or key name
  std::string_view value;  // trimmed text after the first '=', quotes kept
};

// A header runs from '[' to the first ']' (or the line end when there is none)
// and anything after it is ignored; a line starting with ';' is a comment; any
// other line needs an '=' to be a key.
ParsedLine ParseLine(std::string_view text) {
  ParsedLine parsed;
  const std::string_view s = Trim(text);
  if (s.empty() || s.front() == ';') return parsed;
  if (s.front() == '[') {
    const std::string_view inside = s.substr(1);
    parsed.kind = LineKind::kSection;
    parsed.name = Trim(inside.substr(0, inside.find(']')));
    return parsed;
  }
  const std::size_t eq = s.find('=');
  if (eq == std::string_view::npos) return parsed;
  parsed.kind = LineKind::kKey;
  parsed.name = Trim(s.substr(0, eq));
  parsed.value = Trim(s.substr(eq + 1));
  return parsed;
}

// Quotes let a value keep outer blanks; only a matching pair is taken off.
std::string_view FinishValue(std::string_view raw) {
  std::string_view v = Trim(UpToNul(raw));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

std::string CutToBuffer(std::string_view s, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  return std::string(s.substr(0, bufferSize - 1));
}

// ---------------------------------------------------------------- editing

// Names that could not be read back as written are refused.
const char* RefusedArgument(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kBreaks("\r\n\0", 3);
  if (section.find_first_of(kBreaks) != std::string_view::npos ||
      key.find_first_of(kBreaks) != std::string_view::npos || value.find_first_of(kBreaks) != std::string_view::npos) {
    return "line breaks and NUL bytes cannot be stored";
  }
  if (section.find(']') != std::string_view::npos) return "a section name cannot contain ']'";
  if (key.empty()) return "the key name is empty";
  if (key.find('=') != std::string_view::npos) return "a key name cannot contain '='";
  if (key.front() == ';' || key.front() == '[') return "a key name cannot start with ';' or '['";
  return nullptr;
}

// Where a key stands in the text: the header of the first section of that
// name, the key's line in it (with the key as parsed) and the section's last
// key line before it. Only the first section of a name counts: a repeated one
// is never searched, neither when reading nor when writing.
struct KeyPlace {
  std::optional<Line> header, key, lastKey;
  ParsedLine parsed;
};

KeyPlace FindKey(std::string_view text, std::string_view section, std::string_view key) {
  KeyPlace place;
  Line line;
  std::size_t pos = BomLength(text);
  while (NextLine(text, pos, line)) {
    const ParsedLine parsed = ParseLine(text.substr(line.begin, line.textEnd - line.begin));
    if (parsed.kind == LineKind::kSection) {
      if (place.header) break;
      if (SameName(parsed.name, section)) place.header = line;
      continue;
    }
    if (!place.header || parsed.kind != LineKind::kKey) continue;
    if (SameName(parsed.name, key)) {
      place.key = line;
      place.parsed = parsed;
      break;
    }
    place.lastKey = line;
  }
  return place;
}

// The file's text with the key set: the key's own line rewritten in place
// (keeping the file's spelling of the name and its line end), else a new line
// after the section's last key (or after its header), else a new section at
// the end. Only the first section of that name counts, as when reading. A
// key that already holds the value keeps its line as it is.
std::string WithKeySet(const std::string& old, std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view text(old);
  const std::string_view eol = LineEndStyle(text);
  const KeyPlace place = FindKey(text, section, key);
  if (place.key) {
    // The value already there, however the line spaces it: nothing to write.
    if (place.parsed.value == value) return old;
    std::string out(text.substr(0, place.key->begin));
    out.append(place.parsed.name).append("=").append(value);
    out.append(text.substr(place.key->textEnd));
    return out;
  }

  std::string entry = std::string(key) + "=" + std::string(value) + std::string(eol);
  if (place.header) {
    const Line& after = place.lastKey ? *place.lastKey : *place.header;
    std::string out(text.substr(0, after.end));
    if (after.end == after.textEnd) out.append(eol);  // it was the unterminated last line
    out.append(entry).append(text.substr(after.end));
    return out;
  }
  std::string out = old;
  const bool endsOpen = out.size() > BomLength(text) && out.back() != '\n' && out.back() != '\r';
  if (endsOpen) out.append(eol);
  out.append("[").append(section).append("]").append(eol).append(entry);
  return out;
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferSize, const std::string& path) {
  const std::string_view wantSection = Trim(section);
  const std::string_view wantKey = Trim(key);
  if (!wantKey.empty()) {
    const FileRead file = ReadRegularFile(path, FileKind::kSettings, Oversize::kReadHead);
    if (file.Ok() && !IsUtf16(file.bytes)) {
      std::string_view text(file.bytes);
      if (file.tooLarge) {
        // A line cut at the limit would give half a value: drop it.
        const std::size_t lastBreak = text.find_last_of("\r\n");
        text = text.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
      }
      const KeyPlace place = FindKey(text, wantSection, wantKey);
      if (place.key) return CutToBuffer(FinishValue(place.parsed.value), bufferSize);
    }
  }
  std::string_view fallback = UpToNul(defaultValue);
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return CutToBuffer(fallback, bufferSize);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path, std::string* error) {
  const ProfileKey one{key, value};
  return WritePrivateProfileKeys(section, {&one, 1}, path, error);
}

bool WritePrivateProfileKeys(std::string_view section, std::span<const ProfileKey> keys, const std::string& path,
                             std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
  };
  const std::string_view cleanSection = Trim(section);
  for (const ProfileKey& k : keys)
    if (const char* refused = RefusedArgument(cleanSection, Trim(k.key), k.value)) return fail(refused);
  if (path.empty()) return WriteFileAtomically(path, "", error);  // says why there is no place
  if (std::filesystem::path(path).filename().empty()) return fail("not a file name");
  const FileRead file = ReadRegularFile(path, FileKind::kSettings, Oversize::kReadHead);
  if (file.status == FileRead::kRefused) return fail(file.why);
  if (file.tooLarge) return fail("larger than the " + std::to_string(kProfileSizeLimit) + " bytes it may be");
  if (IsUtf16(file.bytes)) return fail(kUtf16Refused);
  std::string updated = file.bytes;
  for (const ProfileKey& k : keys) updated = WithKeySet(updated, cleanSection, Trim(k.key), k.value);
  if (file.Ok() && updated == file.bytes) return true;
  if (updated.size() > kProfileSizeLimit)
    return fail("would grow past the " + std::to_string(kProfileSizeLimit) + " bytes it may be");
  // The owner's read-only file is read but never replaced, whoever runs us.
  return WriteFileAtomically(path, updated, error);
}

}  // namespace platform::os

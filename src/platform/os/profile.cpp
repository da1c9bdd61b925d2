#include "platform/os/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

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

// ---------------------------------------------------------------- file access

struct FileBytes {
  enum Status { kOk, kMissing, kFailed } status = kMissing;
  int error = 0;          // errno when not kOk
  bool tooLarge = false;  // bytes holds only the first kProfileSizeLimit
  std::string bytes;
  mode_t mode = 0;
};

// Non-blocking open so a FIFO cannot stall us; anything but a regular file is
// refused, and at most one byte past the limit is read.
FileBytes ReadFileBytes(const std::string& path) {
  FileBytes file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    file.error = errno;
    file.status = (errno == ENOENT) ? FileBytes::kMissing : FileBytes::kFailed;
    return file;
  }
  struct stat st {};
  int refused = 0;
  if (::fstat(fd, &st) != 0) {
    refused = errno;
  } else if (S_ISDIR(st.st_mode)) {
    refused = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    refused = EINVAL;
  }
  if (refused != 0) {
    file.error = refused;
    file.status = FileBytes::kFailed;
    ::close(fd);
    return file;
  }
  file.mode = st.st_mode & 07777;
  const std::size_t want = kProfileSizeLimit + 1;
  const std::size_t expected = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  file.bytes.reserve(expected < want ? expected + 1 : want);
  char chunk[64 * 1024];
  while (file.bytes.size() < want) {
    const std::size_t room = want - file.bytes.size();
    const ssize_t got = ::read(fd, chunk, room < sizeof chunk ? room : sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      file.error = errno;
      file.status = FileBytes::kFailed;
      ::close(fd);
      return file;
    }
    if (got == 0) break;
    file.bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (file.bytes.size() > kProfileSizeLimit) {
    file.tooLarge = true;
    file.bytes.resize(kProfileSizeLimit);
  }
  file.status = FileBytes::kOk;
  return file;
}

std::string Reason(const char* what, const std::string& path, int error) {
  return std::string(what) + " " + path + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Writes the new content beside the target and renames it over: readers see
// either the old file or the new one, never a half-written mix. A symbolic
// link is followed so that the link itself survives.
bool ReplaceFile(const std::string& path, std::string_view bytes, bool keepMode, mode_t mode,
                 std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  static std::atomic<unsigned> counter{0};
  int fd = -1;
  fs::path temp;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    std::string name(".");
    name.append(target.filename().string()).append(".tmp").append(std::to_string(::getpid()));
    name.append("-").append(std::to_string(counter++));
    temp = target.parent_path() / name;
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    if (error) *error = Reason("cannot create a temporary file for", path, errno);
    return false;
  }
  bool ok = WriteAll(fd, bytes) && (!keepMode || ::fchmod(fd, mode) == 0) && ::fsync(fd) == 0;
  int failure = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    failure = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    if (error) *error = Reason("cannot write", path, failure);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- editing

// Names that could not be read back as written are refused.
const char* RefusedArgument(std::string_view section, std::string_view key,
                            std::string_view value) {
  constexpr std::string_view kBreaks("\r\n\0", 3);
  if (section.find_first_of(kBreaks) != std::string_view::npos ||
      key.find_first_of(kBreaks) != std::string_view::npos ||
      value.find_first_of(kBreaks) != std::string_view::npos) {
    return "line breaks and NUL bytes cannot be stored";
  }
  if (section.find(']') != std::string_view::npos) return "a section name cannot contain ']'";
  if (key.empty()) return "the key name is empty";
  if (key.find('=') != std::string_view::npos) return "a key name cannot contain '='";
  if (key.front() == ';' || key.front() == '[') return "a key name cannot start with ';' or '['";
  return nullptr;
}

// The file's text with the key set: the key's own line rewritten in place
// (keeping the file's spelling of the name and its line end), else a new line
// after the section's last key (or after its header), else a new section at
// the end. Only the first section of that name counts, as when reading.
std::string WithKeySet(const std::string& old, std::string_view section, std::string_view key,
                       std::string_view value) {
  const std::string_view text(old);
  const std::string_view eol = LineEndStyle(text);
  std::optional<Line> header, lastKey;
  bool inSection = false;
  Line line;
  std::size_t pos = BomLength(text);
  while (NextLine(text, pos, line)) {
    const ParsedLine parsed = ParseLine(text.substr(line.begin, line.textEnd - line.begin));
    if (parsed.kind == LineKind::kSection) {
      if (inSection) break;
      if (SameName(parsed.name, section)) {
        inSection = true;
        header = line;
      }
      continue;
    }
    if (!inSection || parsed.kind != LineKind::kKey) continue;
    if (SameName(parsed.name, key)) {
      std::string out(text.substr(0, line.begin));
      out.append(parsed.name).append("=").append(value);
      out.append(text.substr(line.textEnd));
      return out;
    }
    lastKey = line;
  }

  std::string entry = std::string(key) + "=" + std::string(value) + std::string(eol);
  if (header) {
    const Line& after = lastKey ? *lastKey : *header;
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

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
  const std::string_view wantSection = Trim(section);
  const std::string_view wantKey = Trim(key);
  if (!wantKey.empty()) {
    FileBytes file = ReadFileBytes(path);
    if (file.status == FileBytes::kOk) {
      std::string_view text(file.bytes);
      if (file.tooLarge) {
        // A line cut at the limit would give half a value: drop it.
        const std::size_t lastBreak = text.find_last_of("\r\n");
        text = text.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
      }
      bool inSection = false;
      Line line;
      std::size_t pos = BomLength(text);
      while (NextLine(text, pos, line)) {
        const ParsedLine parsed = ParseLine(text.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind == LineKind::kSection) {
          if (inSection) break;  // a repeated section is never searched
          inSection = SameName(parsed.name, wantSection);
        } else if (inSection && parsed.kind == LineKind::kKey && SameName(parsed.name, wantKey)) {
          return CutToBuffer(FinishValue(parsed.value), bufferSize);
        }
      }
    }
  }
  std::string_view fallback = UpToNul(defaultValue);
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return CutToBuffer(fallback, bufferSize);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path,
                               std::string* error) {
  const std::string_view cleanSection = Trim(section);
  const std::string_view cleanKey = Trim(key);
  if (const char* refused = RefusedArgument(cleanSection, cleanKey, value)) {
    if (error) *error = "cannot write " + path + ": " + refused;
    return false;
  }
  if (path.empty() || std::filesystem::path(path).filename().empty()) {
    if (error) *error = Reason("cannot write", "'" + path + "'", EISDIR);
    return false;
  }
  const FileBytes file = ReadFileBytes(path);
  if (file.status == FileBytes::kFailed) {
    if (error) *error = Reason("cannot write", path, file.error);
    return false;
  }
  if (file.tooLarge) {
    if (error) *error = Reason("cannot update", path, EFBIG);
    return false;
  }
  const std::string updated = WithKeySet(file.bytes, cleanSection, cleanKey, value);
  if (file.status == FileBytes::kOk && updated == file.bytes) return true;
  if (updated.size() > kProfileSizeLimit) {
    if (error) *error = Reason("cannot write", path, EFBIG);
    return false;
  }
  return ReplaceFile(path, updated, file.status == FileBytes::kOk, file.mode, error);
}

}  // namespace platform::os

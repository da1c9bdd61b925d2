#pragma once
// The one way the program reads and writes files. Reading takes regular files
// only: a folder, FIFO, socket or device is refused before anything is read,
// so nothing can block or run on forever, and every kind of file has a size
// cap (the table in file_access.cpp, listed in docs/porting.md). Failures are
// answers, never exceptions. Writing goes to a temporary file beside the
// target that is renamed over it once complete, so an existing file is never
// left half-written.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::os {

enum class FileKind { kSettings, kModel, kWave, kMidi, kDemo, kInputScript, kControllerMappings };

// The largest file of each kind that is read: each far above what our own
// files need (docs/porting.md gives the figures), low enough that a hostile
// file cannot make us allocate or work without end.
inline constexpr std::size_t kMiB = std::size_t{1} << 20;
struct FileKindLimit {
  FileKind kind;
  std::size_t bytes;
};
inline constexpr FileKindLimit kFileSizeLimits[] = {
    {FileKind::kSettings, 1 * kMiB},            // a dozen short lines
    {FileKind::kModel, 4 * kMiB},               // our largest model is 22 KB
    {FileKind::kWave, 32 * kMiB},               // the reader takes 16 MiB of samples
    {FileKind::kMidi, 1 * kMiB},                // the music checker's own cap
    {FileKind::kDemo, 64 * kMiB},               // 19998 samples of 108 values at most
    {FileKind::kInputScript, 64 * kMiB},        // a line per event, hours of play
    {FileKind::kControllerMappings, 8 * kMiB},  // the community list is under 1 MB
};

constexpr std::size_t FileSizeLimit(FileKind kind) {
  for (const FileKindLimit& limit : kFileSizeLimits)
    if (limit.kind == kind) return limit.bytes;
  return 0;
}

struct FileRead {
  enum Status { kOk, kMissing, kRefused } status = kMissing;
  std::string bytes;
  std::string why;        // when not kOk: "no such file", "is a folder", ...
  bool tooLarge = false;  // with kReadHead: bytes holds only the first limit
  unsigned mode = 0;      // the file's permission bits
  bool Ok() const { return status == kOk; }
};

enum class Oversize { kRefuse, kReadHead };

// The whole file (or, with kReadHead, at most its first FileSizeLimit bytes).
FileRead ReadRegularFile(const std::string& path, FileKind kind, Oversize oversize = Oversize::kRefuse);

// Why a file of this type (st_mode) cannot be read or written as a file:
// "is a folder, not a file", ...; empty for a regular file.
std::string RefusedFileType(unsigned mode);

// Writes `bytes` as the whole of `path` through an OutputFile
// (output_file.h): an existing regular file is replaced only once the new
// content is complete and on disk; it keeps its permission bits, and a
// symbolic link is followed (even to a file not there yet) so the link
// survives. A read-only file or one that is not a regular file is never
// replaced. On failure returns false and stores one line naming the file and
// the reason in `error`.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace platform::os

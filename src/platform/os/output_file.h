#pragma once
// The one way every output is written: into a temporary file of a unique
// name beside its target, which replaces the target only once complete and
// on disk. A run killed at any moment leaves the old file whole (or no file)
// and at worst a temporary that the next start removes.
#include <sys/types.h>

#include <string>
#include <string_view>

namespace platform::os {

// Where writing `path` lands: symbolic links are followed to their target,
// even one that does not exist yet, so that a link survives the write.
// Empty when the links go round in a circle or too deep.
std::string OutputTarget(const std::string& path);

// Why `path` cannot be an output ("is a device, not a file", "the file is
// read-only", ...), or "" when it can.
std::string RefusedOutput(const std::string& path);

// Whether two paths name one file, through links and however spelled; also
// for files that do not exist yet.
bool SameFile(const std::string& a, const std::string& b);

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Abandon(); }

  // Creates the temporary beside the target; false with one line naming
  // the file and the reason when the target may not or cannot be written.
  bool Open(const std::string& path, std::string* error);
  bool IsOpen() const { return fd_ >= 0; }
  // Appends; a failure is remembered and reported by Commit.
  void Write(std::string_view bytes);
  // Puts the content on disk and renames it over the target (keeping the
  // old file's permission bits), then puts the rename on disk too.
  bool Commit(std::string* error);
  // Throws the temporary away; the target stays as it was.
  void Abandon();

 private:
  bool Flush();
  bool Fail(std::string* error, int failure);

  int fd_ = -1;
  int failure_ = 0;  // errno of the first failed write
  bool keepMode_ = false;
  mode_t mode_ = 0;
  std::string path_, target_, temporary_, buffer_;
};

// Removes the temporaries that runs of ours writing `path` left behind when
// they were killed: only names of our own pattern, only when the process
// that made them is gone. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path);

}  // namespace platform::os

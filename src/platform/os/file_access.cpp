#include "platform/os/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os/output_file.h"

namespace platform::os {

namespace {

std::string Errno(int error) { return std::strerror(error); }

}  // namespace

std::string RefusedFileType(unsigned mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "is a folder, not a file";
  if (S_ISFIFO(mode)) return "is a pipe, not a file";
  if (S_ISSOCK(mode)) return "is a socket, not a file";
  return "is a device, not a file";
}

FileRead ReadRegularFile(const std::string& path, FileKind kind, Oversize oversize) {
  FileRead file;
  auto refuse = [&](std::string why) {
    file.status = FileRead::kRefused;
    file.why = std::move(why);
    file.bytes.clear();
    return std::move(file);
  };
  if (path.empty()) {
    file.why = "no file name";
    return file;
  }
  // Non-blocking, so that opening a FIFO with no writer returns at once; the
  // type is checked on the open descriptor, before any read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      file.why = "no such file";
      return file;
    }
    return refuse(Errno(error));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return refuse(Errno(errno));
  if (std::string why = RefusedFileType(st.st_mode); !why.empty()) return refuse(why);
  file.mode = st.st_mode & 07777;

  const std::size_t limit = FileSizeLimit(kind);
  const std::size_t size = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  const std::string overCap = "is larger than the " + std::to_string(limit) + " bytes allowed";
  if (size > limit && oversize == Oversize::kRefuse) return refuse(overCap);
  // One byte past the limit is read, so a file that grows while being read
  // is still caught.
  const std::size_t want = limit + 1;
  file.bytes.reserve(size < want ? size + 1 : want);
  char chunk[64 * 1024];
  while (file.bytes.size() < want) {
    const std::size_t room = want - file.bytes.size();
    const ssize_t got = ::read(fd, chunk, room < sizeof chunk ? room : sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return refuse("cannot be read: " + Errno(errno));
    if (got == 0) break;
    file.bytes.append(chunk, static_cast<std::size_t>(got));
  }
  if (file.bytes.size() > limit) {
    if (oversize == Oversize::kRefuse) return refuse(overCap);
    file.bytes.resize(limit);
    file.tooLarge = true;
  }
  file.status = FileRead::kOk;
  return file;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  OutputFile file;
  if (!file.Open(path, error)) return false;
  file.Write(bytes);
  return file.Commit(error);
}

}  // namespace platform::os

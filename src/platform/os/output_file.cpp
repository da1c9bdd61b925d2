#include "platform/os/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

#include "platform/os/file_access.h"

namespace platform::os {

namespace fs = std::filesystem;

namespace {

// The kernel's own limit on links in one lookup.
constexpr int kMaxLinks = 40;
// Unwritten bytes are kept up to this size, then handed to the file.
constexpr std::size_t kBufferBytes = 64 * 1024;

std::string Folder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary's name: ".<name>.tmp<pid>-<n>", hidden, and unique among
// the processes writing one folder at once.
std::string TemporaryPrefix(const std::string& target) {
  return std::string(".").append(BaseName(target)).append(".tmp");
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

// A rename is on disk only once its folder is: without this a crash just
// after the run could bring the old file back, or none.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot; the rename itself has happened
  ::close(fd);
}

// The process id in a temporary's name after its prefix, "<pid>-<n>" and
// nothing else; 0 when the name is not of that pattern.
pid_t TemporaryOwner(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return 0;
  long pid = 0, counter = 0;
  const char* mid = rest.data() + dash;
  auto [p, ec] = std::from_chars(rest.data(), mid, pid);
  if (ec != std::errc() || p != mid || pid <= 0) return 0;
  const char* end = rest.data() + rest.size();
  auto [q, ec2] = std::from_chars(mid + 1, end, counter);
  if (ec2 != std::errc() || q != end) return 0;
  return static_cast<pid_t>(pid);
}

}  // namespace

std::string OutputTarget(const std::string& path) {
  std::string target = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::string to(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
    const ssize_t n = ::readlink(target.c_str(), to.data(), to.size());
    if (n <= 0) return target;
    to.resize(static_cast<std::size_t>(n));
    target = to.front() == '/' ? to : Folder(target).append("/").append(to);
  }
  return {};
}

std::string RefusedOutput(const std::string& path) {
  if (path.empty() || BaseName(path).empty()) return "not a file name";
  const std::string target = OutputTarget(path);
  if (target.empty()) return "too many symbolic links";
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return {};
  if (std::string why = RefusedFileType(st.st_mode); !why.empty()) return why;
  if ((st.st_mode & 0222) == 0) return "the file is read-only";
  return {};
}

bool SameFile(const std::string& a, const std::string& b) {
  const std::string ta = OutputTarget(a), tb = OutputTarget(b);
  struct stat sa {
  }, sb{};
  if (::stat(ta.c_str(), &sa) == 0 && ::stat(tb.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  // Not both there yet: the same folder and the same name.
  std::error_code ec;
  const fs::path ca = fs::weakly_canonical(fs::absolute(ta, ec), ec);
  const fs::path cb = fs::weakly_canonical(fs::absolute(tb, ec), ec);
  return ca == cb;
}

bool OutputFile::Open(const std::string& path, std::string* error) {
  Abandon();
  path_ = path;
  failure_ = 0;
  buffer_.clear();
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
  };
  if (path.empty()) {
    if (error) *error = "no place to keep the file: the game's folder cannot be written and HOME is not set";
    return false;
  }
  if (std::string why = RefusedOutput(path); !why.empty()) return fail(why);
  target_ = OutputTarget(path);
  struct stat st {};
  keepMode_ = ::stat(target_.c_str(), &st) == 0;
  mode_ = st.st_mode & 07777;

  static std::atomic<unsigned> counter{0};
  const std::string prefix = Folder(target_) + "/" + TemporaryPrefix(target_) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = prefix + std::to_string(counter++);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    return fail("cannot create a temporary file beside it: " + std::string(std::strerror(errno)));
  }
  return true;
}

void OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0 || failure_) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferBytes) Flush();
}

bool OutputFile::Flush() {
  if (failure_) return false;
  if (!WriteAll(fd_, buffer_)) failure_ = errno;
  buffer_.clear();
  return failure_ == 0;
}

bool OutputFile::Fail(std::string* error, int failure) {
  if (error) *error = "cannot write " + path_ + ": " + std::strerror(failure);
  Abandon();
  return false;
}

bool OutputFile::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, EBADF);
  if (!Flush()) return Fail(error, failure_);
  if ((keepMode_ && ::fchmod(fd_, mode_) != 0) || ::fsync(fd_) != 0) return Fail(error, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int failure = errno;
    ::unlink(temporary_.c_str());
    temporary_.clear();
    return Fail(error, failure);
  }
  temporary_.clear();
  SyncFolder(Folder(target_));
  return true;
}

void OutputFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
}

int RemoveStaleTemporaries(const std::string& path) {
  const std::string target = OutputTarget(path);
  if (target.empty() || BaseName(target).empty()) return 0;
  const std::string folder = Folder(target), prefix = TemporaryPrefix(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const pid_t owner = TemporaryOwner(name.substr(prefix.size()));
    // A live process (ours or one that took over the number) may be writing it.
    if (owner == 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) continue;
    const std::string file = folder + "/" + std::string(name);
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(file.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace platform::os

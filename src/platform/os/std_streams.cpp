#include "platform/os/std_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/exit_status.h"

namespace platform::os {

void OpenClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is the one just found closed.
    const int opened = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

int FinishStandardOutput(int code) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int failure = errno;
  if (flushed && !std::ferror(stdout)) return code;
  std::fprintf(stderr, "zarn: cannot write to standard output%s%s\n", failure ? ": " : "",
               failure ? std::strerror(failure) : "");
  return code == core::kExitSuccess ? core::kExitStandardOutputFailed : code;
}

}  // namespace platform::os

// The INI reader and writer on any file: reading never fails, and a key the
// writer says it stored reads back as written.
#include <cstdlib>

#include "platform/os/profile.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace os = platform::os;
  const std::string path = fuzz::ScratchFile(".ini", data, size);
  for (const char* key : {"SPEED", "Key_[1]", "Key_[4]"})
    os::GetPrivateProfileString("Zarn_Section", key, "none", 50, path);
  if (os::WritePrivateProfileString("Zarn_Section", "Key_[2]", "17", path) &&
      os::GetPrivateProfileString("Zarn_Section", "Key_[2]", "none", 50, path) != "17")
    std::abort();
  return 0;
}

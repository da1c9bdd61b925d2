// The music loader as the game uses it: a file by name, checked before the
// synthesizer would see it.
#include <cstdlib>

#include "platform/music/loader.h"
#include "platform/music/segment.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform;
  const std::string path = fuzz::ScratchFile(".mid", data, size);
  static Ref<music::Loader> loader = [] {
    Ref<music::Loader> l;
    if (Failed(music::CreateLoader(&l))) std::abort();  // nothing to fuzz without one
    return l;
  }();
  Ref<music::Segment> segment;
  if (loader->GetObject(path, &segment) == kOk) {
    std::uint32_t ticks = 0;
    segment->GetLength(&ticks).Ignore("any answer is fine; only a crash is a finding");
  }
  return 0;
}

// The music loader as the game uses it: a file by name, checked before the
// synthesizer would see it.
#include "platform/music/loader.h"
#include "platform/music/segment.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform;
  const std::string path = fuzz::ScratchFile(".mid", data, size);
  static Ref<music::Loader> loader = [] {
    Ref<music::Loader> l;
    music::CreateLoader(&l);
    return l;
  }();
  Ref<music::Segment> segment;
  if (loader->GetObject(path, &segment) == kOk) {
    std::uint32_t ticks = 0;
    segment->GetLength(&ticks);
  }
  return 0;
}

// The .x model reader and the mesh builder that takes what it read.
#include <cstdlib>
#include <string_view>

#include "platform/rm/rm_object.h"
#include "platform/rm/xfile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform;
  using namespace platform::rm;
  Ref<MeshBuilder> builder;
  if (Failed(CreateMeshBuilder(&builder))) std::abort();  // nothing to fuzz without one
  builder->LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size))
      .Ignore("refusing the bytes is a fine answer; only a crash is a finding");
  return 0;
}

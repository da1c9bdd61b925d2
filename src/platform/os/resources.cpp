#include "platform/os/resources.h"

namespace platform::os {

namespace generated {
// Defined by the generated source of the zarn_resources library.
const ResourceEntry* ResourceTable(std::size_t* count);
}  // namespace generated

std::span<const std::uint8_t> FindResource(int id) {
  std::size_t count = 0;
  const ResourceEntry* table = generated::ResourceTable(&count);
  for (std::size_t i = 0; i < count; ++i) {
    if (table[i].id == id) return {table[i].data, table[i].size};
  }
  return {};
}

}  // namespace platform::os

// The demo file reader: a refused file leaves the recording as it was.
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/game_state.h"
#include "demo/demo_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  game::gameState.recordCount = -7;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  if (!demo::ReadDemo(in).Ok() && game::gameState.recordCount != -7) std::abort();
  return 0;
}

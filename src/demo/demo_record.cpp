#include "demo/demo_record.h"

namespace demo {

std::array<Channel, kChannels> demoChannels{};
std::array<float, kPropValues> demoPropPoses{};

}  // namespace demo

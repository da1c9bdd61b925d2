#include "autopilot/keys.h"

#include "platform/os/backend.h"
#include "platform/os/keyboard.h"

namespace autopilot {

namespace vk = platform::os::vk;

void HoldKeys(const Keys& k) {
  const std::pair<int, bool> keys[] = {{vk::kUp, k.up},        {vk::kDown, k.down},    {vk::kLeft, k.left},
                                       {vk::kRight, k.right},  {vk::kShift, k.shift},  {vk::kControl, k.control},
                                       {vk::kTab, k.tab},      {vk::kReturn, k.enter}, {vk::kSpace, k.space},
                                       {vk::kEscape, k.escape}};
  for (auto [code, down] : keys) platform::os::SetKeyDown(code, down);
}

}  // namespace autopilot

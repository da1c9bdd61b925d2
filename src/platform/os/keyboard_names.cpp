#include <string>

#include "platform/os/keyboard.h"

namespace platform::os {

namespace {
struct NamedKey {
  std::string_view name;
  int code;
};
constexpr NamedKey kNamedKeys[] = {
    {"VK_BACK", vk::kBack},
    {"VK_TAB", vk::kTab},
    {"VK_RETURN", vk::kReturn},
    {"VK_SHIFT", vk::kShift},
    {"VK_CONTROL", vk::kControl},
    {"VK_MENU", vk::kMenu},
    {"VK_ESCAPE", vk::kEscape},
    {"VK_SPACE", vk::kSpace},
    {"VK_LEFT", vk::kLeft},
    {"VK_UP", vk::kUp},
    {"VK_RIGHT", vk::kRight},
    {"VK_DOWN", vk::kDown},
    {"VK_F1", 0x70},
    {"VK_F2", 0x71},
    {"VK_F3", 0x72},
    {"VK_F4", 0x73},
    {"VK_F5", 0x74},
    {"VK_F6", 0x75},
    {"VK_F7", 0x76},
    {"VK_F8", 0x77},
    {"VK_F9", 0x78},
    {"VK_F10", 0x79},
    {"VK_F11", 0x7A},
    {"VK_F12", 0x7B},
};

bool IsLetterOrDigit(int code) { return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'); }
}  // namespace

std::optional<int> VirtualKeyFromName(std::string_view name) {
  for (const NamedKey& k : kNamedKeys)
    if (k.name == name) return k.code;
  if (name.size() == 1 && IsLetterOrDigit(name[0])) return name[0];
  return std::nullopt;
}

}  // namespace platform::os

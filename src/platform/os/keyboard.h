#pragma once
// The keyboard-state array: 256 bytes indexed by Windows virtual-key code,
// 0x80 while the key is down.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::os {

using KeyboardState = std::array<std::uint8_t, 256>;

namespace vk {
constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;  // Alt
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kF1 = 0x70;
constexpr int kF10 = 0x79;
constexpr int kF12 = 0x7B;
}  // namespace vk

void GetKeyboardState(KeyboardState& out);
// The key-down convention every reader of the array uses.
inline bool KeyDown(const KeyboardState& keys, int code) { return (keys[code & 0xFF] & 0xF0) != 0; }

// Names of virtual keys as scripts write them: "VK_SPACE", "VK_F1", "A", "7".
std::optional<int> VirtualKeyFromName(std::string_view name);

}  // namespace platform::os

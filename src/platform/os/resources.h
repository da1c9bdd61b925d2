#pragma once
// Resources built into the executable: complete bitmap files (file header
// included), looked up by their numeric id. The bitmaps are drawn at build
// time by tools/bitmaps from the readable sources in assets/bitmaps.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform::os {

// Ids of the built-in resources.
namespace resource_id {
constexpr int kWindowIcon = 101;  // 32 x 32
constexpr int kKeyGuide = 110;    // 300 x 150
constexpr int kOrderPanel = 112;  // 280 x 125
constexpr int kFont = 116;        // 772 x 105
constexpr int kChecker = 117;     // 68 x 50
}  // namespace resource_id

// The layout of the font bitmap: glyph cells of 11 x 15 pixels side by side
// in this character order, seven colour rows one under the other; the pen
// advances 10 pixels, so neighbouring cells share a column.
namespace font_layout {
constexpr std::string_view kCharset = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890=[]'?!: ";
constexpr int kCellWidth = 11;
constexpr int kCellHeight = 15;
constexpr int kAdvance = 10;
}  // namespace font_layout

// One row of the table the build generates.
struct ResourceEntry {
  int id;
  const std::uint8_t* data;
  std::size_t size;
};

// The bytes of resource `id`, or an empty span when there is none.
std::span<const std::uint8_t> FindResource(int id);

}  // namespace platform::os

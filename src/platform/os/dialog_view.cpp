#include "platform/os/dialog_view.h"

#include <algorithm>

#include "platform/os/bmp_reader.h"
#include "platform/os/resources.h"

namespace platform::os {

namespace {

using font_layout::kAdvance;
using font_layout::kCellHeight;
using font_layout::kCellWidth;
constexpr int kMargin = 16, kRowHeight = 17, kListWidth = 150;
constexpr int kButtonWidth = 130, kButtonHeight = 28;

constexpr std::uint32_t kBackground = 0x303040;
constexpr std::uint32_t kListBackground = 0x101018;
constexpr std::uint32_t kSelection = 0x0000A0;
constexpr std::uint32_t kFrame = 0x8080A0;
constexpr int kWhiteRow = 4, kYellowRow = 3, kCyanRow = 2, kGreenRow = 6;
// The keys the dialog answers to, shown beside the controls.
constexpr const char* kKeyHints[] = {"Up Down: mode", "Space: full screen", "Enter: OK"};

struct FontSheet {
  int width = 0, height = 0;
  std::vector<std::uint32_t> rgb;  // 0 where the font is black (transparent)
};

const FontSheet& Font() {
  static const FontSheet sheet = [] {
    FontSheet s;
    BmpReadResult r = ReadBmp(FindResource(resource_id::kFont));
    if (!r.ok() || r.image.bitsPerPixel != 8) return s;
    s.width = r.image.width;
    s.height = r.image.height;
    s.rgb.resize(r.image.pixels.size());
    for (std::size_t i = 0; i < r.image.pixels.size(); ++i) {
      std::uint8_t index = r.image.pixels[i];
      if (index >= r.image.palette.size()) continue;
      const BmpColour& c = r.image.palette[index];
      s.rgb[i] = (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
    }
    return s;
  }();
  return sheet;
}

void FillRect(Picture& canvas, Rect r, std::uint32_t colour) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, canvas.width);
  r.bottom = std::min(r.bottom, canvas.height);
  for (int y = r.top; y < r.bottom; ++y)
    std::fill_n(canvas.pixels.begin() + y * canvas.width + r.left, std::max(0, r.right - r.left), colour);
}

void FrameRect(Picture& canvas, Rect r, std::uint32_t colour) {
  FillRect(canvas, {r.left, r.top, r.right, r.top + 1}, colour);
  FillRect(canvas, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillRect(canvas, {r.left, r.top, r.left + 1, r.bottom}, colour);
  FillRect(canvas, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

int TextWidth(const std::string& text) { return static_cast<int>(text.size()) * kAdvance + 1; }

}  // namespace

void DrawFontTextInto(Picture& canvas, int x, int y, int colourRow, const std::string& text) {
  const FontSheet& font = Font();
  if (font.rgb.empty() || colourRow < 1 || colourRow > 7) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::size_t cell = font_layout::kCharset.find(text[i]);
    if (cell == std::string_view::npos) continue;
    int sx = static_cast<int>(cell) * kCellWidth, sy = (colourRow - 1) * kCellHeight;
    int dx = x + static_cast<int>(i) * kAdvance;
    for (int row = 0; row < kCellHeight; ++row)
      for (int col = 0; col < kCellWidth; ++col) {
        int px = dx + col, py = y + row;
        if (px < 0 || py < 0 || px >= canvas.width || py >= canvas.height) continue;
        if (sx + col >= font.width || sy + row >= font.height) continue;
        std::uint32_t c = font.rgb[(sy + row) * font.width + sx + col];
        if (c) canvas.pixels[py * canvas.width + px] = c;
      }
  }
}

DialogView::DialogView(const Dialog& dialog) {
  int rightX = kMargin + kListWidth + kMargin, rightY = kMargin;
  int listHeight = 0;
  for (const Dialog::Control& c : dialog.Controls()) {
    if (c.item.className == "ComboBox") {
      listHeight = std::max<int>(c.list.size(), 1) * kRowHeight + 4;
      places_.push_back({c.item.id, {kMargin, kMargin, kMargin + kListWidth, kMargin + listHeight}});
    }
  }
  // Check boxes first, from the top; the push buttons at the bottom.
  for (const Dialog::Control& c : dialog.Controls()) {
    if (c.item.className != "Button" || (c.item.style & 0xF) != dlg::kBsAutoCheckBox) continue;
    places_.push_back({c.item.id, {rightX, rightY, rightX + 20 + TextWidth(c.item.text), rightY + kRowHeight}});
    rightY += 2 * kRowHeight;
  }
  hintsY_ = rightY;
  rightY += 3 * kRowHeight + kMargin;
  width_ = rightX + kButtonWidth + kMargin;
  for (const char* hint : kKeyHints) width_ = std::max(width_, rightX + TextWidth(hint) + kMargin);
  for (const Place& p : places_) width_ = std::max(width_, p.box.right + kMargin);
  height_ = std::max(kMargin + listHeight + kMargin, rightY + kButtonHeight + kMargin);
  int buttonY = height_ - kMargin - kButtonHeight;
  for (const Dialog::Control& c : dialog.Controls()) {
    if (c.item.className != "Button" || (c.item.style & 0xF) == dlg::kBsAutoCheckBox) continue;
    places_.push_back({c.item.id, {rightX, buttonY, rightX + kButtonWidth, buttonY + kButtonHeight}});
    buttonY -= kButtonHeight + kMargin / 2;
  }
}

void DialogView::Draw(const Dialog& dialog, Picture& canvas) const {
  canvas.width = width_;
  canvas.height = height_;
  canvas.pixels.assign(static_cast<std::size_t>(width_) * height_, kBackground);
  int hintX = kMargin + kListWidth + kMargin;
  for (int i = 0; i < 3; ++i) DrawFontTextInto(canvas, hintX, hintsY_ + i * kRowHeight, kGreenRow, kKeyHints[i]);
  for (const Place& p : places_) {
    const Dialog::Control* c = nullptr;
    for (const Dialog::Control& each : dialog.Controls())
      if (each.item.id == p.id) c = &each;
    if (!c) continue;
    const Rect& b = p.box;
    if (c->item.className == "ComboBox") {
      FillRect(canvas, b, kListBackground);
      FrameRect(canvas, b, kFrame);
      for (int i = 0; i < static_cast<int>(c->list.size()); ++i) {
        int y = b.top + 2 + i * kRowHeight;
        bool selected = i == c->selection;
        if (selected) FillRect(canvas, {b.left + 2, y, b.right - 2, y + kRowHeight}, kSelection);
        DrawFontTextInto(canvas, b.left + 8, y + 1, selected ? kYellowRow : kWhiteRow, c->list[i]);
      }
    } else if ((c->item.style & 0xF) == dlg::kBsAutoCheckBox) {
      Rect box{b.left, b.top + 1, b.left + 15, b.top + 16};
      FrameRect(canvas, box, kFrame);
      if (c->checked) FillRect(canvas, {box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, 0x00FFFF);
      DrawFontTextInto(canvas, b.left + 22, b.top + 1, kWhiteRow, c->item.text);
    } else {
      FillRect(canvas, b, kListBackground);
      FrameRect(canvas, b, (c->item.style & 0xF) == dlg::kBsDefPushButton ? 0x00FFFF : kFrame);
      int tx = b.left + (b.Width() - TextWidth(c->item.text)) / 2;
      DrawFontTextInto(canvas, tx, b.top + (b.Height() - kCellHeight) / 2, kCyanRow, c->item.text);
    }
  }
}

DialogHit DialogView::HitTest(const Dialog& dialog, int x, int y) const {
  for (const Place& p : places_) {
    const Rect& b = p.box;
    if (x < b.left || x >= b.right || y < b.top || y >= b.bottom) continue;
    DialogHit hit{p.id, -1};
    for (const Dialog::Control& c : dialog.Controls())
      if (c.item.id == p.id && c.item.className == "ComboBox") {
        int entry = (y - b.top - 2) / kRowHeight;
        if (entry >= 0 && entry < static_cast<int>(c.list.size())) hit.listEntry = entry;
      }
    return hit;
  }
  return {};
}

}  // namespace platform::os

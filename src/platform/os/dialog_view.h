#pragma once
// How a dialog looks: drawn by the program itself into a picture, with the
// game's bitmap font. The combo box is shown as an open list on the left (all
// its entries visible), check boxes and buttons stacked on the right.
#include "platform/os/dialog.h"
#include "platform/os/window.h"

namespace platform::os {

struct DialogHit {
  int controlId = 0;   // 0: nothing
  int listEntry = -1;  // the entry clicked in a list
};

class DialogView {
 public:
  explicit DialogView(const Dialog& dialog);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Draw(const Dialog& dialog, Picture& canvas) const;
  DialogHit HitTest(const Dialog& dialog, int x, int y) const;

 private:
  struct Place {
    int id;
    Rect box;
  };
  std::vector<Place> places_;
  int width_ = 0, height_ = 0;
  int hintsY_ = 0;
};

// Draws text with the built-in font (colour rows 1-7); characters the font
// lacks leave a gap, as in the game.
void DrawFontTextInto(Picture& canvas, int x, int y, int colourRow, const std::string& text);

}  // namespace platform::os

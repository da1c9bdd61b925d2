#pragma once
// Pictures described as a list of drawing commands in a text file, one per
// line, painted in order (later shapes cover earlier ones):
//
//   size   <width> <height> <background>
//   poly   <fill> <outline> x,y x,y x,y ...      corners of a polygon
//   disc   <fill> <outline> x,y <radius>          centred on pixel x,y
//   bar    <fill> <outline> x,y x,y <thickness>   between two pixel centres
//   arrow  <fill> <outline> x,y <up|down|left|right> <length>   tip at x,y
//   text   <colour> x,y <text...>                 font cell's top-left at x,y
//   label  <text> <fill> <outline> x,y <text...>  a key cap: box with text
//
// Colours are palette names (see artwork_palette.cpp) or "none". Polygon
// and arrow points are pixel corners.
#include <map>
#include <string>

#include "canvas.h"
#include "font.h"

namespace bitmaps {

Canvas RunDrawingScript(const std::string& path, const std::map<char, Glyph>& glyphs);

}  // namespace bitmaps

// Canvas port: the off-screen surface one paint pass of a skinned window draws on.
//
// A canvas starts as a copy of the window's background picture and is shown in one copy when the
// pass ends. Skin pictures are named relative to the skin folder the canvas was made for
// ("kb_BK.png", or "Custom/KeyMapBK.png" from the language folder); names match without regard
// to case. A picture that is missing or cannot be decoded is skipped and the pass goes on.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/geometry.h"

namespace tarsel {

// Small bitmaps that are part of the program rather than of a skin.
enum class ResourcePicture : uint16_t {
  SliderTrackEmpty = 139,   // 220 x 17
  SliderTrackFilled = 140,  // 220 x 17
  AppIcon = 155,
};

// A font request beyond the skin text's fixed one (lists and trees ask for other faces/weights).
struct TextStyle {
  std::u16string_view face = u"Arial";
  int pixelHeight = 15;  // cell height in pixels
  int weight = 300;      // 100..900, 400 normal, 700 bold
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual Size CanvasSize() const = 0;

  // Opaque copy of the whole picture, top-left at (x, y): transparent pixels keep the colour the
  // file stores for them. Nothing is scaled; the canvas edges clip.
  virtual void DrawSkinImage(std::string_view fileName, int x, int y) = 0;
  // Opaque copy of the part (srcX, srcY, width, height) of a skin picture to (x, y).
  virtual void DrawSkinImagePart(std::string_view fileName, int srcX, int srcY, int width,
                                 int height, int x, int y) = 0;
  // Opaque copy of the part (srcX, srcY, width, height) of a program picture to (x, y).
  virtual void DrawResourceImagePart(ResourcePicture picture, int srcX, int srcY, int width,
                                     int height, int x, int y) = 0;

  // One line of text, top-left anchored, transparent background: "Arial", weight 300, cell height
  // pixelHeight.
  virtual void DrawSkinText(std::u16string_view text, int x, int y, Rgb colour,
                            int pixelHeight) = 0;
  // The same with another font.
  virtual void DrawStyledText(std::u16string_view text, int x, int y, Rgb colour,
                              const TextStyle& style) = 0;

  // 1-pixel white closed outline through (x, y), (x, y + height), (x + width, y + height),
  // (x + width, y): it touches x .. x + width and y .. y + height inclusive.
  virtual void DrawFrameRect(int x, int y, int width, int height) = 0;
  // 1-pixel line from (x0, y0) to (x1, y1), both ends drawn.
  virtual void DrawLine(int x0, int y0, int x1, int y1, Rgb colour) = 0;
  // Fills width x height pixels from (x, y); the right and bottom edges are x + width - 1 and
  // y + height - 1.
  virtual void FillSolid(int x, int y, int width, int height, Rgb colour) = 0;
  // Two-colour linear gradient over (x, y, width, height): from at the left (or top) edge, to at
  // the right (or bottom) edge.
  virtual void FillGradient(int x, int y, int width, int height, Rgb from, Rgb to,
                            bool horizontal) = 0;
};

}  // namespace tarsel

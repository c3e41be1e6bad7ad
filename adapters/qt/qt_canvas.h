// Canvas over QPainter on the off-screen QImage of one paint pass.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <string>

#include "picture_cache.h"
#include "platform/canvas.h"
#include "text_layout_cache.h"

namespace tarsel {

// The program's built-in bitmaps (slider tracks, icon), decoded once.
const QImage* ResourceImage(ResourcePicture picture);

class QtCanvas final : public Canvas {
 public:
  // target already holds the background picture; names resolve in skinFolder. With texts, lines
  // are laid out once and kept there for later passes.
  QtCanvas(QImage& target, PictureCache& pictures, std::string skinFolder,
           TextLayoutCache* texts = nullptr);

  Size CanvasSize() const override;
  void DrawSkinImage(std::string_view fileName, int x, int y) override;
  void DrawSkinImagePart(std::string_view fileName, int srcX, int srcY, int width, int height,
                         int x, int y) override;
  void DrawResourceImagePart(ResourcePicture picture, int srcX, int srcY, int width, int height,
                             int x, int y) override;
  void DrawSkinText(std::u16string_view text, int x, int y, Rgb colour, int pixelHeight) override;
  void DrawStyledText(std::u16string_view text, int x, int y, Rgb colour,
                      const TextStyle& style) override;
  void DrawFrameRect(int x, int y, int width, int height) override;
  void DrawLine(int x0, int y0, int x1, int y1, Rgb colour) override;
  void FillSolid(int x, int y, int width, int height, Rgb colour) override;
  void FillGradient(int x, int y, int width, int height, Rgb from, Rgb to,
                    bool horizontal) override;

 private:
  void CopyPart(const QImage& source, int srcX, int srcY, int width, int height, int x, int y);

  QImage& target_;
  QPainter painter_;
  PictureCache& pictures_;
  TextLayoutCache* texts_;
  std::string folder_;
};

}  // namespace tarsel

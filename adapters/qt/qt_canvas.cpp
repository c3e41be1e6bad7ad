#include "qt_canvas.h"

#include <QLinearGradient>
#include <QPen>
#include <QPointF>
#include <algorithm>
#include <utility>

namespace tarsel {

namespace {

QColor ToQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Tabs and line breaks need the full layout; every other line can come laid out from the cache.
bool PlainLine(std::u16string_view text) {
  return std::none_of(text.begin(), text.end(), [](char16_t c) { return c < u' '; });
}

}  // namespace

const QImage* ResourceImage(ResourcePicture picture) {
  static const QImage emptyTrack = PictureCache::Decode(":/tarsel/slider_track_empty.png");
  static const QImage filledTrack = PictureCache::Decode(":/tarsel/slider_track_filled.png");
  static const QImage icon = PictureCache::Decode(":/tarsel/tarsel.png");
  const QImage* image = nullptr;
  switch (picture) {
    case ResourcePicture::SliderTrackEmpty:
      image = &emptyTrack;
      break;
    case ResourcePicture::SliderTrackFilled:
      image = &filledTrack;
      break;
    case ResourcePicture::AppIcon:
      image = &icon;
      break;
  }
  return image && !image->isNull() ? image : nullptr;
}

QtCanvas::QtCanvas(QImage& target, PictureCache& pictures, std::string skinFolder,
                   TextLayoutCache* texts)
    : target_(target),
      painter_(&target),
      pictures_(pictures),
      texts_(texts),
      folder_(std::move(skinFolder)) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

Size QtCanvas::CanvasSize() const {
  return {target_.width(), target_.height()};
}

void QtCanvas::CopyPart(const QImage& source, int srcX, int srcY, int width, int height, int x,
                        int y) {
  if (width <= 0 || height <= 0) return;
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.drawImage(QPoint(x, y), source, QRect(srcX, srcY, width, height));
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::DrawSkinImage(std::string_view fileName, int x, int y) {
  if (const QImage* image = pictures_.Get(folder_, fileName)) {
    CopyPart(*image, 0, 0, image->width(), image->height(), x, y);
  }
}

void QtCanvas::DrawSkinImagePart(std::string_view fileName, int srcX, int srcY, int width,
                                 int height, int x, int y) {
  if (const QImage* image = pictures_.Get(folder_, fileName)) {
    CopyPart(*image, srcX, srcY, width, height, x, y);
  }
}

void QtCanvas::DrawResourceImagePart(ResourcePicture picture, int srcX, int srcY, int width,
                                     int height, int x, int y) {
  if (const QImage* image = ResourceImage(picture)) {
    CopyPart(*image, srcX, srcY, width, height, x, y);
  }
}

void QtCanvas::DrawSkinText(std::u16string_view text, int x, int y, Rgb colour, int pixelHeight) {
  DrawStyledText(text, x, y, colour, TextStyle{u"Arial", pixelHeight, 300});
}

void QtCanvas::DrawStyledText(std::u16string_view text, int x, int y, Rgb colour,
                              const TextStyle& style) {
  painter_.setPen(ToQColor(colour));
  // Top-left anchored, one line, never wrapped or clipped to a box. Both ways put the same pixels.
  if (texts_ && PlainLine(text)) {
    const TextLayoutCache::Line& line =
        texts_->Get(text, style.face, style.pixelHeight, style.weight);
    painter_.setFont(line.font);
    painter_.drawStaticText(QPointF(x, y), line.text);
    return;
  }
  painter_.setFont(SkinFont(style.face, style.pixelHeight, style.weight));
  painter_.drawText(QRect(x, y, 10000, style.pixelHeight * 2), Qt::AlignLeft | Qt::AlignTop,
                    ToQString(text));
}

void QtCanvas::DrawFrameRect(int x, int y, int width, int height) {
  painter_.setPen(QPen(Qt::white, 1));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(x, y, width, height);
}

void QtCanvas::DrawLine(int x0, int y0, int x1, int y1, Rgb colour) {
  painter_.setPen(QPen(ToQColor(colour), 1));
  painter_.drawLine(x0, y0, x1, y1);
}

void QtCanvas::FillSolid(int x, int y, int width, int height, Rgb colour) {
  if (width > 0 && height > 0) painter_.fillRect(x, y, width, height, ToQColor(colour));
}

void QtCanvas::FillGradient(int x, int y, int width, int height, Rgb from, Rgb to,
                            bool horizontal) {
  if (width <= 0 || height <= 0) return;
  QLinearGradient g(x, y, horizontal ? x + width : x, horizontal ? y : y + height);
  g.setColorAt(0, ToQColor(from));
  g.setColorAt(1, ToQColor(to));
  painter_.fillRect(x, y, width, height, g);
}

}  // namespace tarsel

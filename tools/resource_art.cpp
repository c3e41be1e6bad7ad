// Small bitmaps built into the program: slider tracks, list icons and background, tree glyphs,
// and the application icon.
#include <QLinearGradient>
#include <QPainterPath>

#include "skin_painting.h"

namespace tarsel::skin_art {
namespace {

void DrawSliderTrack(QPainter& p, const ResourceEntry& picture) {
  // The track lies on the settings panel; only the groove in the middle is drawn.
  p.fillRect(0, 0, picture.width, picture.height, colour::kPanel);
  const QRectF groove(0.5, 6.5, picture.width - 1.0, 4.0);
  if (picture.variant == 1) {
    QLinearGradient fill(0, 0, picture.width, 0);
    fill.setColorAt(0.0, QColor(160, 10, 4));
    fill.setColorAt(1.0, QColor(255, 44, 20));
    p.setPen(QPen(QColor(120, 8, 2), 1.0));
    p.setBrush(fill);
  } else {
    p.setPen(QPen(QColor(88, 94, 104), 1.0));
    p.setBrush(QColor(112, 118, 128));
  }
  p.drawRoundedRect(groove, 2, 2);
}

void DrawEventIcon(QPainter& p, const ResourceEntry& picture) {
  p.fillRect(0, 0, picture.width, picture.height, colour::kListGround);
  const qreal cx = picture.width / 2.0;
  if (picture.variant == 2) {
    // Delay: a cyan clock face.
    const QPointF c(cx, picture.height / 2.0);
    p.setPen(QPen(QColor(0, 230, 230), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5.6, 5.6);
    p.drawLine(c, c + QPointF(0, -3.8));
    p.drawLine(c, c + QPointF(2.8, 0));
    return;
  }
  // Press points down, release points up.
  const bool down = picture.variant == 0;
  QPen shaft(colour::kAccent, 2.0);
  shaft.setCapStyle(Qt::FlatCap);
  p.setPen(shaft);
  if (down) {
    p.drawLine(QPointF(cx, 1.5), QPointF(cx, 8));
    Arrow(p, cx, 10, 8, 3, colour::kAccent);
  } else {
    p.drawLine(QPointF(cx, 12.5), QPointF(cx, 6));
    Arrow(p, cx, 4, 8, 2, colour::kAccent);
  }
}

void DrawTreeGlyph(QPainter& p, const ResourceEntry& picture) {
  // The function tree is drawn on a solid RGB(30, 30, 30) ground.
  p.fillRect(0, 0, picture.width, picture.height, QColor(30, 30, 30));
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRect box(0, 0, picture.width, picture.height);
  p.fillRect(box.adjusted(1, 1, -1, -1), QColor(214, 218, 224));
  CrispFrame(p, box, QColor(150, 156, 166));
  p.fillRect(2, 4, 5, 1, QColor(0, 0, 0));
  if (picture.variant == 0) p.fillRect(4, 2, 1, 5, QColor(0, 0, 0));
}

void DrawListBackground(QPainter& p, const ResourceEntry& picture) {
  // The list shows the block from (7, 22) in its client area; the rest is a frame around it.
  p.fillRect(0, 0, picture.width, picture.height, colour::kDialog);
  p.fillRect(0, 0, picture.width, 21, colour::kDialogBar);
  p.fillRect(0, 20, picture.width, 1, colour::kAccent);
  p.fillRect(7, 22, 113, 275, colour::kListGround);
  CrispFrame(p, QRect(6, 21, 115, 277), colour::kDialogEdge);
  CrispFrame(p, QRect(0, 0, picture.width, picture.height), colour::kDialogEdge);
}

void DrawAppIcon(QPainter& p, const ResourceEntry& picture) {
  const qreal s = picture.width;
  QPainterPath tile;
  tile.addRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.2, s * 0.2);
  QLinearGradient ground(0, 0, 0, s);
  ground.setColorAt(0.0, QColor(40, 43, 50));
  ground.setColorAt(1.0, QColor(16, 17, 21));
  p.fillPath(tile, ground);
  p.setPen(QPen(colour::kAccent, s * 0.03));
  p.drawPath(tile);
  // A key cap seen from above, with the initial on it.
  QPainterPath cap;
  const QRectF capRect(s * 0.2, s * 0.2, s * 0.6, s * 0.6);
  cap.addRoundedRect(capRect, s * 0.1, s * 0.1);
  QLinearGradient body(capRect.topLeft(), capRect.bottomRight());
  body.setColorAt(0.0, QColor(255, 70, 40));
  body.setColorAt(1.0, colour::kAccentDeep);
  p.fillPath(cap, body);
  const QRectF face = capRect.adjusted(s * 0.08, s * 0.06, -s * 0.08, -s * 0.14);
  QPainterPath top;
  top.addRoundedRect(face, s * 0.06, s * 0.06);
  p.fillPath(top, QColor(28, 8, 6));
  p.setPen(QColor(255, 90, 60));
  p.setFont(UiFont(Language::English, static_cast<int>(face.height() * 0.78), true));
  p.drawText(face, Qt::AlignCenter, QStringLiteral("T"));
}

}  // namespace

QImage DrawResourcePicture(const ResourceEntry& picture) {
  // Only the icon keeps an alpha channel; the bitmaps are opaque like the skin pictures.
  QImage image = BlankPicture(picture.width, picture.height,
                              picture.art == Art::AppIcon ? QColor(0, 0, 0, 0) : colour::kPanel);
  QPainter p(&image);
  PreparePainter(p);
  switch (picture.art) {
    case Art::SliderTrack:
      DrawSliderTrack(p, picture);
      break;
    case Art::EventIcon:
      DrawEventIcon(p, picture);
      break;
    case Art::TreeGlyph:
      DrawTreeGlyph(p, picture);
      break;
    case Art::ListBackground:
      DrawListBackground(p, picture);
      break;
    case Art::AppIcon:
      DrawAppIcon(p, picture);
      break;
    default:
      break;
  }
  return image;
}

}  // namespace tarsel::skin_art

// The keyboard picture, drawn from the key rectangle table so that every key cap covers exactly
// the pixels of its hit rectangle and nothing else.
//
// Two pictures share one layout: "kb_BK.png" (keys at rest) and "kb_hl.png" (every key lit). The
// program lights a key by copying its rectangle from the lit picture without the rectangle's last
// column and row, so each cap ends in a one-pixel shadow edge that is the same in both pictures.
#include <QLinearGradient>

#include "config/key_rects.h"
#include "skin_painting.h"

namespace tarsel::skin_art {
namespace {

const QColor kChassisTop(44, 47, 55);
const QColor kChassisBottom(30, 32, 38);
const QColor kChassisEdge(66, 70, 80);
// The flat plate between the keys; nothing else in the picture near a key has this colour.
const QColor kPlate(12, 13, 16);
const QColor kCapShadow(4, 4, 6);

struct CapLook {
  QColor border;
  QColor top;
  QColor bottom;
  QColor shine;
  QColor label;
};

const CapLook kRest{QColor(62, 66, 76), QColor(48, 51, 60), QColor(34, 37, 44), QColor(84, 88, 100),
                    QColor(200, 204, 210)};
const CapLook kLit{QColor(239, 14, 2), QColor(150, 24, 14), QColor(86, 10, 6), QColor(255, 110, 86),
                   QColor(255, 255, 255)};

QFont LabelFont(const QString& label, int maxWidth) {
  for (int size = 10; size > 6; --size) {
    QFont font = UiFont(Language::English, size, true);
    if (QFontMetrics(font).horizontalAdvance(label) <= maxWidth) return font;
  }
  return UiFont(Language::English, 7, true);
}

void DrawCap(QPainter& p, const Rect& r, const QString& label, const CapLook& look) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const int w = r.right - r.left + 1;
  const int h = r.bottom - r.top + 1;
  // Shadow edge: last column and last row of the hit rectangle.
  p.fillRect(QRect(r.left, r.bottom, w, 1), kCapShadow);
  p.fillRect(QRect(r.right, r.top, 1, h), kCapShadow);
  // The cap face fills the rest, framed by a one-pixel border.
  const QRect face(r.left, r.top, w - 1, h - 1);
  p.fillRect(face, VerticalGradient(face, look.top, look.bottom));
  CrispFrame(p, face, look.border);
  p.fillRect(QRect(face.left() + 1, face.top() + 1, face.width() - 2, 1), look.shine);
  p.restore();

  p.setFont(LabelFont(label, face.width() - 4));
  p.setPen(look.label);
  p.drawText(face.adjusted(1, 1, -1, -2), Qt::AlignCenter, label);
}

void DrawIndicators(QPainter& p) {
  // Lock lights above the number pad, where the picture has no keys.
  const char* names[] = {"NUM", "CAPS", "SCROLL"};
  const int centres[] = {540, 576, 612};
  p.setFont(UiFont(Language::English, 7, true));
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(239, 14, 2, 60));
    p.drawEllipse(QPointF(centres[i], 25.5), 4.5, 4.5);
    p.setBrush(colour::kAccent);
    p.drawEllipse(QPointF(centres[i], 25.5), 2.2, 2.2);
    p.setPen(colour::kTextDim);
    p.drawText(QRect(centres[i] - 18, 31, 36, 10), Qt::AlignCenter, QString::fromLatin1(names[i]));
  }
}

}  // namespace

QImage DrawKeyboardPicture(const PictureEntry& picture) {
  QImage image = BlankPicture(picture.width, picture.height, colour::kCard);
  QPainter p(&image);
  PreparePainter(p);

  const QRect chassis(1, 1, picture.width - 2, picture.height - 2);
  RoundedBox(p, chassis, 10, VerticalGradient(chassis, kChassisTop, kChassisBottom), kChassisEdge);
  p.fillRect(QRect(14, chassis.bottom() - 1, picture.width - 28, 1), QColor(239, 14, 2, 170));

  // Flat plate under the keys, a few pixels larger than the key area on every side.
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(9, 11, 628, 185), kPlate);
  p.restore();
  DrawIndicators(p);

  const CapLook& look = picture.variant == 1 ? kLit : kRest;
  for (const KeyRect& key : kKeyRects) {
    if (!key.onPicture) continue;
    DrawCap(p, key.rect, QString::fromUtf16(key.label.data(), key.label.size()), look);
  }
  return image;
}

}  // namespace tarsel::skin_art

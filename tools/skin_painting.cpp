// Drawing helpers shared by all skin artwork.
#include "skin_painting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

namespace tarsel::skin_art {

QImage BlankPicture(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

void PreparePainter(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont UiFont(Language language, int pixelSize, bool bold) {
  QFont font;
  // Chinese pictures prefer the CJK face; Latin letters in them fall back to the sans.
  if (language == Language::Chinese) {
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Liberation Sans")});
  } else {
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
  }
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void CrispFrame(QPainter& painter, const QRect& rect, const QColor& colour) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(colour);
  painter.setBrush(Qt::NoBrush);
  // Without antialiasing a 1-pixel pen covers x .. x + width, so shrink by one.
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.restore();
}

void RoundedBox(QPainter& painter, const QRect& rect, qreal radius, const QBrush& fill,
                const QColor& border) {
  painter.save();
  const QRectF inner = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(border, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(inner, radius, radius);
  painter.restore();
}

QBrush VerticalGradient(const QRect& rect, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0.0, top);
  gradient.setColorAt(1.0, bottom);
  return QBrush(gradient);
}

void CentredText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                 const QColor& colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, Qt::AlignCenter, text);
  painter.restore();
}

namespace {

QPolygonF ArrowPoints(qreal cx, qreal cy, qreal size, int direction) {
  const qreal h = size / 2;
  switch (direction) {
    case 0:  // left
      return QPolygonF({{cx - h, cy}, {cx + h, cy - h}, {cx + h, cy + h}});
    case 1:  // right
      return QPolygonF({{cx + h, cy}, {cx - h, cy - h}, {cx - h, cy + h}});
    case 2:  // up
      return QPolygonF({{cx, cy - h}, {cx - h, cy + h}, {cx + h, cy + h}});
    default:  // down
      return QPolygonF({{cx, cy + h}, {cx - h, cy - h}, {cx + h, cy - h}});
  }
}

}  // namespace

void Arrow(QPainter& painter, qreal cx, qreal cy, qreal size, int direction, const QColor& colour) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(ArrowPoints(cx, cy, size, direction));
  painter.restore();
}

void Chevron(QPainter& painter, qreal cx, qreal cy, qreal size, int direction,
             const QColor& colour) {
  painter.save();
  QPen pen(colour, 1.6);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  QPolygonF points = ArrowPoints(cx, cy, size, direction);
  // The tip, then both ends: draw the two strokes that meet at the tip.
  painter.drawPolyline(QPolygonF({points[1], points[0], points[2]}));
  painter.restore();
}

void DrawPanelHeader(QPainter& painter, const QRect& rect, int foldState) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect,
                   VerticalGradient(rect, colour::kPanelHeaderTop, colour::kPanelHeaderBottom));
  painter.setPen(QColor(232, 235, 239));
  painter.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
  painter.setPen(colour::kAccent);
  painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter.restore();

  const qreal cx = rect.right() - 10;
  const qreal cy = rect.top() + rect.height() / 2.0 - 0.5;
  const QColor ink(70, 74, 82);
  if (foldState == 1) {
    Chevron(painter, cx, cy, 7, 3, ink);
  } else if (foldState == 2) {
    Chevron(painter, cx, cy, 7, 1, ink);
  } else {
    // Shared by both fold states: a small up-down mark.
    Chevron(painter, cx, cy - 3, 5, 2, ink);
    Chevron(painter, cx, cy + 3, 5, 3, ink);
  }
}

void DrawPanelBody(QPainter& painter, const QRect& rect) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect, colour::kPanel);
  painter.setPen(colour::kPanelEdge);
  painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter.restore();
}

void DrawDarkButton(QPainter& painter, const QRect& rect, bool hover, bool accent) {
  QColor top = colour::kButtonTop;
  QColor bottom = colour::kButtonBottom;
  QColor border(86, 92, 104);
  if (accent) {
    top = hover ? QColor(248, 62, 40) : QColor(206, 24, 12);
    bottom = hover ? QColor(196, 22, 10) : QColor(150, 12, 6);
    border = hover ? QColor(255, 120, 100) : colour::kAccent;
  } else if (hover) {
    top = QColor(96, 34, 32);
    bottom = QColor(66, 22, 22);
    border = colour::kAccent;
  }
  RoundedBox(painter, rect, 3, VerticalGradient(rect, top, bottom), border);
  // A faint top highlight gives the button some body.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QColor shine = accent ? QColor(255, 140, 120, 110) : QColor(255, 255, 255, hover ? 40 : 28);
  painter.setPen(shine);
  painter.drawLine(rect.left() + 3, rect.top() + 1, rect.right() - 3, rect.top() + 1);
  painter.restore();
}

}  // namespace tarsel::skin_art

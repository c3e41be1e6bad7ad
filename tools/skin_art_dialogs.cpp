// Pictures of the three dialogs: key assignment ("Custom/"), macro manager ("MacroManagement/")
// and profile manager ("Config/"). All dark; the dialogs draw their texts in white over them.
#include <QLinearGradient>
#include <QPainterPath>

#include "skin_painting.h"

namespace tarsel::skin_art {
namespace {

// Title bar, outer frame and the accent line under the bar, shared by the dialog backgrounds.
void DrawDialogFrame(QPainter& p, int width, int height, int barHeight) {
  p.fillRect(0, 0, width, height, colour::kDialog);
  p.fillRect(0, 0, width, barHeight, colour::kDialogBar);
  QLinearGradient accent(0, 0, width, 0);
  accent.setColorAt(0.0, colour::kAccent);
  accent.setColorAt(0.6, colour::kAccent);
  accent.setColorAt(1.0, QColor(239, 14, 2, 40));
  p.fillRect(0, barHeight - 1, width, 1, accent);
  CrispFrame(p, QRect(0, 0, width, height), colour::kDialogEdge);
}

// Sunken well for a list or an edit field the dialog places over it.
void DrawWell(QPainter& p, const QRect& r) {
  p.fillRect(r, colour::kListGround);
  CrispFrame(p, r, colour::kDialogEdge);
}

void DrawKeyDialogBackground(QPainter& p, const PictureEntry& picture) {
  DrawDialogFrame(p, picture.width, picture.height, 30);
  // Tab row (the tabs and their strip are drawn over it).
  p.fillRect(1, 30, picture.width - 2, 27, QColor(34, 37, 44));
  // Wells behind the "Single" and "Combine" capture fields at (20, 89) and (20, 139).
  DrawWell(p, QRect(19, 88, 282, 17));
  DrawWell(p, QRect(19, 138, 282, 17));
  // Bottom bar with the tick box and the three buttons.
  p.fillRect(1, 240, picture.width - 2, 1, colour::kDialogEdge);
}

void DrawDialogClose(QPainter& p, const PictureEntry& picture, const QColor& ground) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, ground);
  const bool over = picture.variant == 1;
  RoundedBox(p, r, 3, over ? QBrush(colour::kAccent) : QBrush(colour::kCard),
             over ? QColor(255, 90, 70) : QColor(70, 74, 84));
  QPen pen(over ? QColor(255, 255, 255) : colour::kAccent, 1.6);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(QPointF(4.8, 4.8), QPointF(11.2, 11.2));
  p.drawLine(QPointF(11.2, 4.8), QPointF(4.8, 11.2));
}

void DrawTab(QPainter& p, const PictureEntry& picture) {
  // Captions run past a tab's width, so tabs join into one bar without separators.
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, VerticalGradient(r, QColor(44, 47, 55), QColor(32, 34, 40)));
  p.fillRect(0, picture.height - 1, picture.width, 1, colour::kDialogEdge);
}

void DrawTabStrip(QPainter& p, const PictureEntry& picture) {
  p.fillRect(0, 0, picture.width, picture.height, colour::kDialogBar);
  p.fillRect(0, picture.height - 1, picture.width, 1, colour::kDialogEdge);
}

void DrawTabMarker(QPainter& p, const PictureEntry& picture) {
  // Sits on the tab strip over the selected tab: a red notch pointing at it.
  p.fillRect(0, 0, picture.width, picture.height, colour::kDialogBar);
  p.fillRect(0, picture.height - 1, picture.width, 1, colour::kAccent);
  Arrow(p, picture.width / 2.0, 3.0, 9.0, 3, colour::kAccent);
}

void DrawTick(QPainter& p, const QRect& r, bool on, const QColor& ground) {
  p.fillRect(r, ground);
  if (on) {
    RoundedBox(p, r, 2, VerticalGradient(r, QColor(255, 50, 30), QColor(190, 14, 4)),
               QColor(255, 90, 70));
    QPen pen(QColor(255, 255, 255), 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal w = r.width();
    const qreal h = r.height();
    p.drawPolyline(QPolygonF({{w * 0.24, h * 0.52}, {w * 0.43, h * 0.72}, {w * 0.78, h * 0.3}}));
  } else {
    RoundedBox(p, r, 2, colour::kListGround, QColor(124, 130, 142));
  }
}

void DrawPathField(QPainter& p, const PictureEntry& picture) {
  // The path is written from the left edge, so only top and bottom lines frame it.
  p.fillRect(0, 0, picture.width, picture.height, colour::kListGround);
  p.fillRect(0, 0, picture.width, 1, QColor(40, 43, 50));
  p.fillRect(0, picture.height - 1, picture.width, 1, QColor(86, 92, 104));
}

void DrawBrowseButton(QPainter& p, const PictureEntry& picture, Language language) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kDialog);
  DrawDarkButton(p, r, picture.variant == 1, false);
  CentredText(p, r.adjusted(0, 0, 0, -1),
              FromUtf8(language == Language::Chinese ? picture.chinese : picture.english),
              UiFont(language, 11, language == Language::English), QColor(240, 242, 245));
}

void DrawAdvancePanel(QPainter& p, const PictureEntry& picture) {
  // Four rows of 30 pixels from y 2 (panel pixels); faint lines between them.
  p.fillRect(0, 0, picture.width, picture.height, colour::kDialog);
  for (int row = 1; row < 4; ++row) {
    p.fillRect(14, 2 + 30 * row - 6, picture.width - 20, 1, QColor(44, 47, 55));
  }
  p.fillRect(14, picture.height - 2, picture.width - 20, 1, colour::kDialogEdge);
}

void DrawMacroDialogBackground(QPainter& p, const PictureEntry& picture) {
  DrawDialogFrame(p, picture.width, picture.height, 36);
  // Heading underlines: macro list, event list, options.
  p.fillRect(20, 77, 113, 1, colour::kAccent);
  p.fillRect(150, 77, 113, 1, colour::kAccent);
  p.fillRect(283, 77, 127, 1, colour::kAccent);
  // Wells of the two lists (113 x 275 at (20, 80) and (150, 80)).
  DrawWell(p, QRect(19, 79, 115, 277));
  DrawWell(p, QRect(149, 79, 115, 277));
  // Options group: recording, delays, loops.
  RoundedBox(p, QRect(283, 86, 128, 270), 4, QColor(32, 35, 41), colour::kDialogEdge);
  p.fillRect(290, 140, 114, 1, colour::kDialogEdge);
  p.fillRect(290, 290, 114, 1, colour::kDialogEdge);
  // Well behind the loop-count edit at (296, 331), 84 x 18.
  DrawWell(p, QRect(295, 330, 86, 20));
}

void DrawRecordButton(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, QColor(32, 35, 41));
  const bool over = picture.variant == 1;
  RoundedBox(p, r, 4,
             over ? VerticalGradient(r, QColor(220, 30, 16), QColor(140, 10, 4))
                  : VerticalGradient(r, QColor(76, 26, 24), QColor(48, 16, 16)),
             over ? QColor(255, 110, 90) : colour::kAccent);
  p.fillRect(QRect(4, 1, picture.width - 8, 1), QColor(255, 120, 100, over ? 120 : 60));
}

void DrawProfileDialogBackground(QPainter& p, const PictureEntry& picture) {
  DrawDialogFrame(p, picture.width, picture.height, 34);
  // The profile list (260 x 540 at (1, 34)) takes these pixels as its background.
  const QRect list(1, 34, 260, 540);
  p.fillRect(list, VerticalGradient(list, QColor(22, 24, 29), QColor(16, 17, 21)));
  // Faint watermark of stacked configurations low in the list, below the six rows.
  for (int i = 2; i >= 0; --i) {
    const QRect sheet(96 + i * 12, 400 - i * 12, 52, 52);
    RoundedBox(p, sheet, 6, QColor(26, 28, 34), QColor(36, 39, 46));
  }
  p.fillRect(1, 574, picture.width - 2, 1, colour::kDialogEdge);
}

void DrawProfileAction(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kDialog);
  DrawDarkButton(p, r, false, false);
  // Caption sits at the top (drawn by the dialog); the sign sits below it.
  const QPointF centre(picture.width / 2.0, 33.5);
  QPen pen(colour::kAccent, 2.2);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  if (picture.variant == 0) {
    p.drawLine(centre + QPointF(-7, 0), centre + QPointF(7, 0));
    p.drawLine(centre + QPointF(0, -7), centre + QPointF(0, 7));
  } else {
    // A bin: lid, handle and body with ribs.
    p.setPen(QPen(colour::kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(centre + QPointF(-8, -6), centre + QPointF(8, -6));
    p.drawLine(centre + QPointF(-2.5, -8.5), centre + QPointF(2.5, -8.5));
    p.drawPolyline(QPolygonF({centre + QPointF(-6, -4), centre + QPointF(-5, 8),
                              centre + QPointF(5, 8), centre + QPointF(6, -4)}));
    p.drawLine(centre + QPointF(-2, -2), centre + QPointF(-2, 5));
    p.drawLine(centre + QPointF(2, -2), centre + QPointF(2, 5));
  }
}

}  // namespace

QImage DrawDialogPicture(const PictureEntry& picture, Language language) {
  QImage image = BlankPicture(picture.width, picture.height, colour::kDialog);
  QPainter p(&image);
  PreparePainter(p);
  const QRect all = image.rect();
  switch (picture.art) {
    case Art::KeyDialogBackground:
      DrawKeyDialogBackground(p, picture);
      break;
    case Art::DialogClose:
      DrawDialogClose(p, picture, colour::kDialogBar);
      break;
    case Art::Tab:
      DrawTab(p, picture);
      break;
    case Art::TabStrip:
      DrawTabStrip(p, picture);
      break;
    case Art::TabMarker:
      DrawTabMarker(p, picture);
      break;
    case Art::DialogTick:
      DrawTick(p, all, picture.variant == 1, colour::kDialog);
      break;
    case Art::OptionBox:
      DrawTick(p, all, picture.variant == 1, QColor(32, 35, 41));
      break;
    case Art::DialogButton:
      p.fillRect(all, colour::kDialog);
      DrawDarkButton(p, all, picture.variant % 2 == 1, picture.variant >= 2);
      break;
    case Art::AdvancePanel:
      DrawAdvancePanel(p, picture);
      break;
    case Art::PathField:
      DrawPathField(p, picture);
      break;
    case Art::BrowseButton:
      DrawBrowseButton(p, picture, language);
      break;
    case Art::MacroDialogBackground:
      DrawMacroDialogBackground(p, picture);
      break;
    case Art::RecordButton:
      DrawRecordButton(p, picture);
      break;
    case Art::ProfileDialogBackground:
      DrawProfileDialogBackground(p, picture);
      break;
    case Art::ProfileAction:
      DrawProfileAction(p, picture);
      break;
    default:
      break;
  }
  return image;
}

}  // namespace tarsel::skin_art

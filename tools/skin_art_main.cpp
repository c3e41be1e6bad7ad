// Pictures of the main window: background, title buttons, logo, settings panel, bottom buttons.
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>

#include "skin_painting.h"

namespace tarsel::skin_art {
namespace {

void DrawMainBackground(QPainter& p, Language language) {
  const int w = 1000;
  const int h = 645;
  p.fillRect(0, 0, w, h, colour::kWindow);

  // Title bar with the hair-line accent that runs out at both ends.
  p.fillRect(0, 0, w, 28, colour::kBar);
  QLinearGradient accent(0, 0, w, 0);
  accent.setColorAt(0.0, QColor(239, 14, 2, 0));
  accent.setColorAt(0.25, colour::kAccent);
  accent.setColorAt(0.75, colour::kAccent);
  accent.setColorAt(1.0, QColor(239, 14, 2, 0));
  p.fillRect(0, 27, w, 1, accent);
  p.setFont(UiFont(Language::English, 12, true));
  p.setPen(colour::kTextDim);
  p.drawText(QRect(14, 0, 400, 27), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("Tarsel Gaming Keyboard"));

  // Settings column: a dark well the foldable sections sit in.
  RoundedBox(p, QRect(12, 104, 264, 485), 6, colour::kCard, colour::kLine);

  // Keyboard card with a faint glow behind the picture's edge.
  const QRect card(288, 150, 682, 439);
  RoundedBox(p, card, 8, colour::kCard, colour::kLine);
  p.save();
  p.setClipRect(card.adjusted(1, 1, -1, -1));
  p.fillRect(card.left() + 1, card.bottom() - 2, card.width() - 2, 1, accent);
  p.restore();
  // The card's caption strip.
  p.setFont(UiFont(language, 13, true));
  p.setPen(colour::kTextLight);
  const QString caption =
      language == Language::Chinese ? QStringLiteral("键盘") : QStringLiteral("KEYBOARD");
  p.drawText(QRect(307, 160, 300, 24), Qt::AlignVCenter | Qt::AlignLeft, caption);
  p.fillRect(307, 186, 24, 2, colour::kAccent);
  p.fillRect(333, 186, 618, 1, colour::kLine);

  // Large faint wordmark in the empty top right.
  QFont mark = UiFont(Language::English, 64, true);
  mark.setLetterSpacing(QFont::AbsoluteSpacing, 10);
  p.setFont(mark);
  p.setPen(QColor(26, 28, 34));
  p.drawText(QRect(288, 40, 682, 100), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("TARSEL"));

  // Bottom bar carrying the profile, Default, Cancel and Save buttons.
  p.fillRect(0, 596, w, h - 596, colour::kBar);
  p.fillRect(0, 596, w, 1, colour::kLine);
  p.fillRect(0, 596, 120, 1, colour::kAccent);
  // Crisp outer edge for the borderless window.
  CrispFrame(p, QRect(0, 0, w, h), QColor(54, 58, 66));
}

void DrawTitleButton(QPainter& p, int kind) {
  const QRect box(0, 0, 16, 16);
  RoundedBox(p, box, 3, colour::kCard, QColor(62, 66, 76));
  const QColor ink = kind == 2 ? colour::kAccent : colour::kTextLight;
  QPen pen(ink, 1.6);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  if (kind == 0) {
    p.setFont(UiFont(Language::English, 12, true));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
  } else if (kind == 1) {
    p.drawLine(QPointF(4.5, 10.5), QPointF(11.5, 10.5));
  } else {
    p.drawLine(QPointF(4.8, 4.8), QPointF(11.2, 11.2));
    p.drawLine(QPointF(11.2, 4.8), QPointF(4.8, 11.2));
  }
}

// A stylised key cap: the mark of the program, also used by the icon.
void DrawKeyMark(QPainter& p, const QRectF& r) {
  QPainterPath cap;
  cap.addRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
  QLinearGradient body(r.topLeft(), r.bottomRight());
  body.setColorAt(0.0, QColor(255, 70, 40));
  body.setColorAt(1.0, colour::kAccentDeep);
  p.fillPath(cap, body);
  const QRectF top =
      r.adjusted(r.width() * 0.16, r.height() * 0.12, -r.width() * 0.16, -r.height() * 0.26);
  QPainterPath face;
  face.addRoundedRect(top, r.width() * 0.1, r.width() * 0.1);
  p.fillPath(face, QColor(28, 8, 6));
  QFont font = UiFont(Language::English, static_cast<int>(top.height() * 0.8), true);
  p.setFont(font);
  p.setPen(QColor(255, 90, 60));
  p.drawText(top, Qt::AlignCenter, QStringLiteral("T"));
}

void DrawLogo(QPainter& p, const PictureEntry& picture, Language language) {
  p.fillRect(0, 0, picture.width, picture.height, colour::kWindow);
  DrawKeyMark(p, QRectF(4, 8, 46, 46));
  QFont word = UiFont(Language::English, 30, true);
  word.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  p.setFont(word);
  p.setPen(QColor(240, 242, 245));
  p.drawText(QRect(60, 4, 183, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TARSEL"));
  p.fillRect(62, 41, 30, 2, colour::kAccent);
  p.fillRect(94, 41, 140, 1, colour::kLine);
  QFont sub = UiFont(language, 12, language == Language::English);
  if (language == Language::English) sub.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(sub);
  p.setPen(colour::kTextDim);
  p.drawText(QRect(62, 44, 181, 18), Qt::AlignLeft | Qt::AlignVCenter,
             FromUtf8(language == Language::Chinese ? picture.chinese : picture.english));
}

void DrawMainButton(QPainter& p, const PictureEntry& picture, bool accent) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kBar);
  if (accent) {
    // Dark face with a red edge: the red label the program draws stands out on it.
    RoundedBox(p, r, 4, VerticalGradient(r, QColor(44, 20, 20), QColor(28, 12, 12)),
               colour::kAccent);
    p.fillRect(QRect(6, picture.height - 3, picture.width - 12, 1), QColor(239, 14, 2, 150));
  } else {
    // Light face for the program's dark labels.
    RoundedBox(p, r, 4, VerticalGradient(r, QColor(214, 218, 224), QColor(178, 183, 192)),
               QColor(104, 110, 120));
    p.fillRect(QRect(4, 1, picture.width - 8, 1), QColor(240, 242, 245));
  }
}

void DrawProfileButton(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kBar);
  RoundedBox(p, r.adjusted(2, 2, -1, -1), 4,
             VerticalGradient(r, QColor(40, 43, 50), QColor(28, 30, 36)), QColor(78, 84, 96));
  // Stacked sheets: several stored configurations.
  for (int i = 2; i >= 0; --i) {
    const QRectF sheet(6 + i * 3, 9 + (2 - i) * 3, 10, 10);
    RoundedBox(p, sheet.toRect(), 2, i == 0 ? QBrush(colour::kAccent) : QBrush(QColor(70, 74, 84)),
               i == 0 ? QColor(255, 90, 70) : QColor(110, 116, 128));
  }
}

void DrawLightingBody(QPainter& p, const PictureEntry& picture) {
  DrawPanelBody(p, QRect(0, 0, picture.width, picture.height));
  // Hair line between the effect selector and the direction row (window y 175).
  p.fillRect(QRect(9, 45, 232, 1), QColor(140, 146, 156));
  p.fillRect(QRect(9, 46, 232, 1), QColor(176, 181, 190));
}

void DrawSpeedBody(QPainter& p, const PictureEntry& picture) {
  p.fillRect(0, 0, picture.width, picture.height, colour::kPanel);
  // Divides brightness from speed (window y 288) when the effect has a speed.
  p.fillRect(QRect(9, 43, 232, 1), QColor(140, 146, 156));
  p.fillRect(QRect(9, 44, 232, 1), QColor(176, 181, 190));
}

void DrawSelectorBox(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kPanel);
  // The program writes the value from the left edge, so the box has no left border line.
  p.fillRect(QRect(0, 0, picture.width - 1, picture.height),
             VerticalGradient(r, QColor(236, 238, 242), colour::kField));
  p.fillRect(QRect(0, picture.height - 1, picture.width, 1), colour::kPanelEdge);
  const QRect button(picture.width - 18, 0, 18, picture.height);
  RoundedBox(p, button, 2, VerticalGradient(button, QColor(70, 74, 84), QColor(44, 47, 55)),
             QColor(44, 47, 55));
  Arrow(p, button.center().x() + 0.5, picture.height / 2.0, 7, 3, colour::kAccent);
}

void DrawMulticolour(QPainter& p, const PictureEntry& picture) {
  const QRectF r(0, 0, picture.width, picture.height);
  QConicalGradient hue(r.center(), 90);
  const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
  for (int i = 0; i < 6; ++i) hue.setColorAt(i / 6.0, stops[i]);
  hue.setColorAt(1.0, Qt::red);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, hue);
  QRadialGradient centre(r.center(), picture.width * 0.55);
  centre.setColorAt(0.0, QColor(255, 255, 255, 200));
  centre.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.fillRect(r, centre);
}

void DrawDirection(QPainter& p, const PictureEntry& picture) {
  const int direction = picture.variant % 4;
  const bool enabled = picture.variant >= 4;
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kPanel);
  if (enabled) {
    RoundedBox(p, r, 4, VerticalGradient(r, QColor(255, 60, 36), QColor(176, 14, 6)),
               QColor(130, 8, 2));
  } else {
    RoundedBox(p, r, 4, VerticalGradient(r, QColor(196, 200, 207), QColor(172, 177, 186)),
               colour::kPanelEdge);
  }
  const QColor ink = enabled ? QColor(255, 255, 255) : QColor(96, 102, 112);
  const qreal cx = picture.width / 2.0;
  const qreal cy = picture.height / 2.0;
  // An arrow with a short shaft reads as a direction at this size.
  QPen shaft(ink, 2.0);
  shaft.setCapStyle(Qt::FlatCap);
  p.setPen(shaft);
  if (direction < 2) {
    const qreal sign = direction == 0 ? -1 : 1;
    p.drawLine(QPointF(cx - sign * 7, cy), QPointF(cx + sign * 1, cy));
    Arrow(p, cx + sign * 3, cy, 8, direction, ink);
  } else {
    const qreal sign = direction == 2 ? -1 : 1;
    p.drawLine(QPointF(cx, cy - sign * 5), QPointF(cx, cy + sign * 1));
    Arrow(p, cx, cy + sign * 2.5, 7, direction, ink);
  }
}

void DrawPanelRadio(QPainter& p, const PictureEntry& picture) {
  const QRectF r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kPanel);
  const bool on = picture.variant == 1;
  p.setPen(QPen(on ? colour::kAccentDeep : QColor(86, 92, 102), 1.0));
  p.setBrush(VerticalGradient(r.toRect(), QColor(246, 247, 249), QColor(214, 218, 224)));
  p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
  if (on) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kAccent);
    p.drawEllipse(r.center(), 3.2, 3.2);
  }
}

void DrawThumb(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kPanel);
  RoundedBox(p, r.adjusted(1, 0, -1, 0), 3,
             VerticalGradient(r, QColor(250, 250, 252), QColor(206, 210, 216)), QColor(64, 70, 80));
  p.fillRect(QRect(7, 3, 1, picture.height - 6), colour::kAccent);
}

void DrawMacroStrip(QPainter& p, const PictureEntry& picture) {
  DrawPanelBody(p, QRect(0, 0, picture.width, picture.height));
}

void DrawMacroButton(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kPanel);
  RoundedBox(p, r, 3, VerticalGradient(r, QColor(238, 240, 243), QColor(204, 208, 215)),
             QColor(104, 110, 120));
  // Record dot and an arrow: this opens the macro recorder.
  p.setPen(Qt::NoPen);
  p.setBrush(colour::kAccent);
  p.drawEllipse(QPointF(picture.width - 26, picture.height / 2.0), 3.5, 3.5);
  Chevron(p, picture.width - 11, picture.height / 2.0, 7, 1, QColor(70, 74, 82));
}

void DrawSectionOpen(QPainter& p, const PictureEntry& picture, Language language) {
  DrawPanelHeader(p, QRect(0, 0, picture.width, 20), 1);
  DrawPanelBody(p, QRect(0, 20, picture.width, picture.height - 20));
  if (picture.variant != 1) return;
  // Report-rate scale under the slider (window x 28, 220 wide): the thumb's centre for each of
  // the four positions, the first one two pixels in as the strip drawing places it.
  const QStringList labels =
      FromUtf8(language == Language::Chinese ? picture.chinese : picture.english).split(u'|');
  const int centres[] = {18, 84, 153, 221};
  p.setFont(UiFont(language, 11));
  for (int i = 0; i < labels.size() && i < 4; ++i) {
    p.fillRect(QRect(centres[i], 41, 1, 3), QColor(96, 102, 112));
    p.setPen(colour::kPanelInk);
    p.drawText(QRect(centres[i] - 24, 44, 48, 14), Qt::AlignCenter, labels[i]);
  }
}

void DrawHelpPanel(QPainter& p, const PictureEntry& picture) {
  const QRect r(0, 0, picture.width, picture.height);
  p.fillRect(r, colour::kWindow);
  RoundedBox(p, r, 3, VerticalGradient(r, QColor(238, 240, 243), QColor(218, 221, 226)),
             QColor(104, 110, 120));
  p.fillRect(QRect(1, 1, picture.width - 2, 2), colour::kAccent);
  p.fillRect(QRect(18, 24, picture.width - 24, 1), QColor(190, 194, 201));
  p.fillRect(QRect(18, 49, picture.width - 24, 1), QColor(190, 194, 201));
  // Row marks: web page, firmware download, version.
  const QColor ink = colour::kAccent;
  p.setPen(QPen(ink, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(9.5, 11.5), 5, 5);
  p.drawLine(QPointF(4.5, 11.5), QPointF(14.5, 11.5));
  p.drawEllipse(QPointF(9.5, 11.5), 2.2, 5);
  p.drawLine(QPointF(9.5, 31), QPointF(9.5, 39));
  Arrow(p, 9.5, 40, 7, 3, ink);
  p.drawLine(QPointF(5, 44.5), QPointF(14, 44.5));
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawEllipse(QPointF(9.5, 61.5), 5, 5);
  p.setPen(QColor(255, 255, 255));
  p.setFont(UiFont(Language::English, 9, true));
  p.drawText(QRectF(4.5, 56.5, 10, 10), Qt::AlignCenter, QStringLiteral("i"));
}

}  // namespace

QImage DrawMainWindowPicture(const PictureEntry& picture, Language language) {
  QImage image = BlankPicture(picture.width, picture.height, colour::kPanel);
  QPainter p(&image);
  PreparePainter(p);
  switch (picture.art) {
    case Art::MainBackground:
      DrawMainBackground(p, language);
      break;
    case Art::TitleButton:
      p.fillRect(image.rect(), colour::kBar);
      DrawTitleButton(p, picture.variant);
      break;
    case Art::Logo:
      DrawLogo(p, picture, language);
      break;
    case Art::MainButton:
      DrawMainButton(p, picture, picture.variant == 1);
      break;
    case Art::ProfileButton:
      DrawProfileButton(p, picture);
      break;
    case Art::SectionHeader:
      DrawPanelHeader(p, image.rect(), picture.variant);
      break;
    case Art::SectionOpen:
      DrawSectionOpen(p, picture, language);
      break;
    case Art::LightingBody:
      DrawLightingBody(p, picture);
      break;
    case Art::SpeedBody:
      DrawSpeedBody(p, picture);
      break;
    case Art::SelectorBox:
      DrawSelectorBox(p, picture);
      break;
    case Art::MulticolourSwatch:
      DrawMulticolour(p, picture);
      break;
    case Art::Direction:
      DrawDirection(p, picture);
      break;
    case Art::PanelRadio:
      DrawPanelRadio(p, picture);
      break;
    case Art::SliderThumb:
      DrawThumb(p, picture);
      break;
    case Art::MacroStrip:
      DrawMacroStrip(p, picture);
      break;
    case Art::MacroButton:
      DrawMacroButton(p, picture);
      break;
    case Art::HelpPanel:
      DrawHelpPanel(p, picture);
      break;
    default:
      break;
  }
  return image;
}

}  // namespace tarsel::skin_art

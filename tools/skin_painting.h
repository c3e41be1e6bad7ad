// Colours and drawing helpers shared by all skin artwork, so the windows look like one program.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <string_view>

#include "skin_catalog.h"

namespace tarsel::skin_art {

// One dark look with one accent: the red the program itself uses for accent text.
namespace colour {
inline const QColor kWindow{17, 19, 23};
inline const QColor kBar{11, 12, 15};  // title and bottom bars
inline const QColor kCard{24, 26, 31};
inline const QColor kLine{48, 52, 60};
inline const QColor kAccent{239, 14, 2};
inline const QColor kAccentDeep{150, 10, 4};
inline const QColor kTextLight{206, 210, 216};
inline const QColor kTextDim{120, 126, 136};
// The settings panel carries the program's dark labels, so it is a light steel.
inline const QColor kPanel{158, 164, 174};
inline const QColor kPanelHeaderTop{208, 212, 219};
inline const QColor kPanelHeaderBottom{184, 189, 197};
inline const QColor kPanelEdge{118, 124, 134};
inline const QColor kPanelInk{53, 53, 53};
inline const QColor kField{222, 225, 230};
// Dialogs.
inline const QColor kDialog{28, 30, 36};
inline const QColor kDialogBar{16, 17, 21};
inline const QColor kDialogEdge{60, 64, 74};
inline const QColor kButtonTop{60, 64, 74};
inline const QColor kButtonBottom{42, 45, 52};
inline const QColor kListGround{20, 21, 25};
}  // namespace colour

// A transparent-free picture of the given size filled with one colour.
QImage BlankPicture(int width, int height, const QColor& fill);

// Antialiased painter with the font database of the generator.
void PreparePainter(QPainter& painter);

// The language's sans-serif at a pixel size.
QFont UiFont(Language language, int pixelSize, bool bold = false);

QString FromUtf8(std::string_view text);

// A 1-pixel outline that lands exactly on the edge pixels of rect (no half-pixel blur).
void CrispFrame(QPainter& painter, const QRect& rect, const QColor& colour);
// Rounded box whose border is a crisp 1-pixel line inside rect.
void RoundedBox(QPainter& painter, const QRect& rect, qreal radius, const QBrush& fill,
                const QColor& border);
QBrush VerticalGradient(const QRect& rect, const QColor& top, const QColor& bottom);

void CentredText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                 const QColor& colour);

// A small filled triangle pointing left, right, up or down (0..3), centred at (cx, cy).
void Arrow(QPainter& painter, qreal cx, qreal cy, qreal size, int direction, const QColor& colour);
// An open chevron (two strokes) pointing like Arrow.
void Chevron(QPainter& painter, qreal cx, qreal cy, qreal size, int direction,
             const QColor& colour);

// Picture builders, one group per window.
QImage DrawMainWindowPicture(const PictureEntry& picture, Language language);
QImage DrawKeyboardPicture(const PictureEntry& picture);
QImage DrawDialogPicture(const PictureEntry& picture, Language language);
QImage DrawResourcePicture(const ResourceEntry& picture);

// Pieces shared between builders.
void DrawPanelHeader(QPainter& painter, const QRect& rect, int foldState);
void DrawPanelBody(QPainter& painter, const QRect& rect);
void DrawDarkButton(QPainter& painter, const QRect& rect, bool hover, bool accent);

}  // namespace tarsel::skin_art

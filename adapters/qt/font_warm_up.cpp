#include "font_warm_up.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include "text_layout_cache.h"

namespace tarsel {

std::jthread StartFontWarmUp() {
  return std::jthread([] {
    // One line in the font most of the window's labels use: loads the database, matches the face
    // and opens its engine. The picture is thrown away.
    QImage scratch(64, 32, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(SkinFont(u"Arial", 16, 300));
    painter.drawText(0, 20, QStringLiteral("Profile"));
  });
}

}  // namespace tarsel

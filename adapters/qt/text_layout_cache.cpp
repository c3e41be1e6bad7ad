#include "text_layout_cache.h"

#include <QString>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Fonts are asked for by cell height (ascent plus descent, as the skins were laid out); Qt takes
// the em size, which for the usual sans faces is a little smaller.
QFont SkinFont(std::u16string_view face, int cellHeight, int weight) {
  QFont font(ToQString(face));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight * 0.86))));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

const TextLayoutCache::Line& TextLayoutCache::Get(std::u16string_view text,
                                                  std::u16string_view face, int cellHeight,
                                                  int weight) {
  // Key: the font's three values, then the face up to a separator no face name holds, then the
  // text itself.
  key_.clear();
  key_ += static_cast<char16_t>(std::clamp(cellHeight, 0, 0xFFFF));
  key_ += static_cast<char16_t>(std::clamp(weight, 0, 0xFFFF));
  key_ += face;
  key_ += u'\0';
  key_ += text;
  if (auto it = lines_.find(key_); it != lines_.end()) return it->second;

  if (lines_.size() >= kMaxLines) lines_.clear();
  Line line{SkinFont(face, cellHeight, weight), QStaticText(ToQString(text))};
  line.text.setTextFormat(Qt::PlainText);
  line.text.prepare(QTransform(), line.font);
  return lines_.emplace(key_, std::move(line)).first->second;
}

}  // namespace tarsel

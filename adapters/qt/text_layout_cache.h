// Laid-out lines of text, kept between paint passes. Laying out and shaping a line cost more than
// drawing it, and a window draws the same labels on every pass (a label on every key in the
// colour view).
#pragma once

#include <QFont>
#include <QStaticText>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarsel {

// The font a skin asks for by face, cell height in pixels and weight (100..900).
QFont SkinFont(std::u16string_view face, int cellHeight, int weight);

class TextLayoutCache {
 public:
  struct Line {
    QFont font;
    QStaticText text;
  };

  // text laid out in SkinFont(face, cellHeight, weight); the reference holds until the next call.
  const Line& Get(std::u16string_view text, std::u16string_view face, int cellHeight, int weight);

 private:
  // A window draws few texts, but some are typed by the user; past this many the cache starts
  // over rather than growing for the life of the window.
  static constexpr std::size_t kMaxLines = 1024;

  std::unordered_map<std::u16string, Line> lines_;
  std::u16string key_;  // reused, so that a repeated line costs no allocation
};

}  // namespace tarsel

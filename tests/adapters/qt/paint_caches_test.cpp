// What the caches behind a paint pass keep: pictures checked once per pass, lines of text laid out
// once, and never a pixel different from drawing without them.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "picture_cache.h"
#include "qt_canvas.h"
#include "skin_folder_fixture.h"
#include "text_layout_cache.h"

namespace tarsel::testing {
namespace {

void SavePicture(const std::string& path, int width, QColor colour) {
  QImage image(width, 4, QImage::Format_RGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(QString::fromStdString(path)));
}

TEST(PictureCachePass, AFileChangedDuringAPassShowsFromTheNextPass) {
  ProgramFolderWithSkins folder;
  const std::string dir = folder.path().string();
  SavePicture(dir + "/hl.png", 4, Qt::red);
  PictureCache cache;
  {
    const PictureCache::Pass pass(cache);
    ASSERT_NE(cache.Get(dir, "hl.png"), nullptr);
    SavePicture(dir + "/hl.png", 6, Qt::blue);
    SavePicture(dir + "/late.png", 4, Qt::green);
    EXPECT_EQ(cache.Get(dir, "hl.png")->width(), 4) << "checked once per pass";
    EXPECT_NE(cache.Get(dir, "late.png"), nullptr) << "a name not asked for yet is looked up";
  }
  const PictureCache::Pass next(cache);
  ASSERT_NE(cache.Get(dir, "hl.png"), nullptr);
  EXPECT_EQ(cache.Get(dir, "hl.png")->width(), 6);
  EXPECT_EQ(cache.Get(dir, "HL.PNG")->pixel(0, 0), qRgb(0, 0, 255));
  ASSERT_NE(cache.Get(dir, "late.png"), nullptr);
  std::filesystem::remove(dir + "/late.png");
  EXPECT_NE(cache.Get(dir, "late.png"), nullptr) << "found earlier in this pass";
}

// Draws every case on one picture, through the cache or around it.
QImage DrawTexts(const std::filesystem::path& folder, TextLayoutCache* texts) {
  struct Case {
    std::u16string_view text;
    TextStyle style;
  };
  static constexpr Case kCases[] = {
      {u"Macro Management", {u"Arial", 15, 300}},
      {u"宏管理器", {u"Arial", 15, 300}},
      {u"Esc", {u"Arial", 10, 300}},
      {u"配置 Profile", {u"Arial", 16, 700}},
      {u"gjpqy|", {u"Arial", 20, 400}},
      {u"tab\there", {u"Arial", 15, 300}},
      {u"two\nlines", {u"Arial", 12, 300}},
      {u"", {u"Arial", 15, 300}},
  };
  QImage target(260, 40 * static_cast<int>(std::size(kCases)), QImage::Format_RGB32);
  target.fill(Qt::black);
  PictureCache pictures;
  QtCanvas canvas(target, pictures, folder.string(), texts);
  int y = 3;
  for (const Case& c : kCases) {
    canvas.DrawStyledText(c.text, 5, y, {200, 120, 40}, c.style);
    y += 40;
  }
  return target;
}

TEST(TextLayoutCache, LinesFromTheCacheMatchLinesLaidOutAnew) {
  ProgramFolderWithSkins folder;
  const QImage uncached = DrawTexts(folder.path(), nullptr);
  TextLayoutCache texts;
  EXPECT_EQ(DrawTexts(folder.path(), &texts), uncached) << "first pass, filling the cache";
  EXPECT_EQ(DrawTexts(folder.path(), &texts), uncached) << "second pass, from the cache";
  QImage blank(uncached.size(), QImage::Format_RGB32);
  blank.fill(Qt::black);
  EXPECT_NE(uncached, blank) << "something was drawn";
}

TEST(TextLayoutCache, TheSameTextInAnotherFontIsLaidOutAgain) {
  TextLayoutCache texts;
  const qreal small = texts.Get(u"Save", u"Arial", 10, 300).text.size().width();
  const qreal large = texts.Get(u"Save", u"Arial", 20, 300).text.size().width();
  const qreal bold = texts.Get(u"Save", u"Arial", 20, 700).text.size().width();
  EXPECT_LT(small, large);
  EXPECT_LT(large, bold);
  EXPECT_EQ(texts.Get(u"Save", u"Arial", 10, 300).text.size().width(), small);
}

}  // namespace
}  // namespace tarsel::testing

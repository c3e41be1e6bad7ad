// The generated skin pictures and built-in bitmaps: all there, at the sizes the windows are laid
// out for, and a keyboard picture whose keys sit exactly under their hit rectangles.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>

#include "config/key_rects.h"
#include "skin_catalog.h"

namespace tarsel::skin_art {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Relative(Language language, const PictureEntry& picture) {
  return Text(LanguageFolder(language)) + Text(picture.folder) + Text(picture.name);
}

QImage LoadSkin(Language language, const PictureEntry& picture) {
  return QImage(QStringLiteral(TARSEL_SKIN_ROOT) + Relative(language, picture))
      .convertToFormat(QImage::Format_ARGB32);
}

const PictureEntry& EntryNamed(std::string_view name) {
  for (const PictureEntry& picture : kSkinPictures) {
    if (picture.folder.empty() && picture.name == name) return picture;
  }
  throw std::runtime_error("no picture " + std::string(name));
}

TEST(SkinPictures, EveryPictureIsThereInBothLanguagesAtItsSizeWithoutTransparency) {
  for (Language language : kLanguages) {
    for (const PictureEntry& picture : kSkinPictures) {
      const std::string where = Relative(language, picture).toStdString();
      const QImage image = LoadSkin(language, picture);
      ASSERT_FALSE(image.isNull()) << where;
      EXPECT_EQ(image.width(), picture.width) << where;
      EXPECT_EQ(image.height(), picture.height) << where;
      // Pictures are copied opaque: a see-through pixel would show as whatever the file stores.
      bool opaque = true;
      for (int y = 0; y < image.height() && opaque; ++y) {
        for (int x = 0; x < image.width() && opaque; ++x) opaque = qAlpha(image.pixel(x, y)) == 255;
      }
      EXPECT_TRUE(opaque) << where;
    }
  }
}

TEST(SkinPictures, BuiltInBitmapsAreThereAtTheirSize) {
  for (const ResourceEntry& picture : kResourcePictures) {
    const QString path = QStringLiteral(TARSEL_GENERATED_RESOURCES) + Text(picture.name);
    const QImage image(path);
    ASSERT_FALSE(image.isNull()) << path.toStdString();
    EXPECT_EQ(image.size(), QSize(picture.width, picture.height)) << path.toStdString();
  }
}

TEST(SkinPictures, PicturesWithTextCarryTheirLanguagesText) {
  for (const PictureEntry& picture : kSkinPictures) {
    if (picture.english == picture.chinese) continue;
    EXPECT_NE(LoadSkin(Language::English, picture), LoadSkin(Language::Chinese, picture))
        << Text(picture.name).toStdString();
  }
}

// Both runs of the generator make the same bytes, so builds are reproducible.
TEST(SkinPictures, GenerationIsDeterministic) {
  QTemporaryDir first;
  QTemporaryDir second;
  ASSERT_TRUE(first.isValid() && second.isValid());
  for (const QTemporaryDir* dir : {&first, &second}) {
    const int status = QProcess::execute(
        QStringLiteral(TARSEL_SKINGEN),
        {dir->filePath("png"), dir->filePath("res"), dir->filePath("manifest.txt")});
    ASSERT_EQ(status, 0);
  }
  auto bytes = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  for (Language language : kLanguages) {
    for (const PictureEntry& picture : kSkinPictures) {
      const QString relative = QStringLiteral("png/") + Relative(language, picture);
      const QByteArray a = bytes(first.filePath(relative));
      EXPECT_FALSE(a.isEmpty()) << relative.toStdString();
      EXPECT_EQ(a, bytes(second.filePath(relative))) << relative.toStdString();
    }
  }
  for (const ResourceEntry& picture : kResourcePictures) {
    const QString relative = QStringLiteral("res/") + Text(picture.name);
    EXPECT_EQ(bytes(first.filePath(relative)), bytes(second.filePath(relative)))
        << relative.toStdString();
  }
}

class KeyboardPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(rest_.isNull());
    ASSERT_EQ(rest_.size(), lit_.size());
  }

  static bool InAnyKey(int x, int y) { return KeyAtPicturePoint(x, y) >= 0; }

  const QImage rest_ = LoadSkin(Language::English, EntryNamed("kb_BK.png"));
  const QImage lit_ = LoadSkin(Language::English, EntryNamed("kb_hl.png"));
};

TEST_F(KeyboardPicture, EveryKeyCoversExactlyItsRectangle) {
  for (const QImage* picture : {&rest_, &lit_}) {
    // The gap between "1" and "2" shows the plate the keys sit on.
    const QRgb plate = picture->pixel(68, 60);
    ASSERT_FALSE(InAnyKey(68, 60));
    for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
      if (!kKeyRects[i].onPicture) continue;
      const Rect& r = kKeyRects[i].rect;
      int capPixelsOnPlate = 0;
      int ringPixelsOffPlate = 0;
      for (int y = r.top - 1; y <= r.bottom + 1; ++y) {
        for (int x = r.left - 1; x <= r.right + 1; ++x) {
          const bool onPlate = picture->pixel(x, y) == plate;
          if (r.Contains(x, y)) {
            capPixelsOnPlate += onPlate;
          } else if (!InAnyKey(x, y)) {
            ringPixelsOffPlate += !onPlate;
          }
        }
      }
      EXPECT_EQ(capPixelsOnPlate, 0) << "key " << i << (picture == &lit_ ? " (lit)" : "");
      EXPECT_EQ(ringPixelsOffPlate, 0) << "key " << i << (picture == &lit_ ? " (lit)" : "");
    }
  }
}

// The program lights a key by copying its rectangle from the lit picture without the last column
// and row; everything else must already match, so the copy joins without a seam.
TEST_F(KeyboardPicture, LitPictureDiffersOnlyOnTheKeyFaces) {
  int mismatches = 0;
  for (int y = 0; y < rest_.height(); ++y) {
    for (int x = 0; x < rest_.width(); ++x) {
      const int key = KeyAtPicturePoint(x, y);
      const bool onFace =
          key >= 0 && x < kKeyRects[key].rect.right && y < kKeyRects[key].rect.bottom;
      if (!onFace) mismatches += rest_.pixel(x, y) != lit_.pixel(x, y);
    }
  }
  EXPECT_EQ(mismatches, 0);
  for (std::size_t i = 0; i < kKeyRects.size(); ++i) {
    if (!kKeyRects[i].onPicture) continue;
    const Rect& r = kKeyRects[i].rect;
    // Sample off-centre so a label does not decide the comparison.
    const int x = r.left + 3;
    const int y = (r.top + r.bottom) / 2;
    EXPECT_NE(rest_.pixel(x, y), lit_.pixel(x, y)) << "key " << i;
  }
}

}  // namespace
}  // namespace tarsel::skin_art

// tarsel-skingen: draws every skin picture of both language folders and the program's built-in
// bitmaps, and writes a manifest of what it made.
//
//   tarsel-skingen SKIN_ROOT RESOURCE_DIR MANIFEST
//
// SKIN_ROOT receives english/... and chinese/...; RESOURCE_DIR the built-in bitmaps, the
// application icon and a Qt resource list naming them. Runs on the offscreen platform, so it needs
// no display; the output depends only on this program and the installed fonts.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

#include "skin_catalog.h"
#include "skin_painting.h"

namespace tarsel::skin_art {
namespace {

QImage DrawSkinPicture(const PictureEntry& picture, Language language) {
  if (picture.art == Art::Keyboard) return DrawKeyboardPicture(picture);
  if (picture.folder.empty()) return DrawMainWindowPicture(picture, language);
  return DrawDialogPicture(picture, language);
}

bool WritePicture(const QImage& image, const QString& path, int width, int height) {
  if (image.width() != width || image.height() != height) {
    std::fprintf(stderr, "tarsel-skingen: %s drawn at the wrong size\n", qPrintable(path));
    return false;
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    std::fprintf(stderr, "tarsel-skingen: cannot create the folder of %s\n", qPrintable(path));
    return false;
  }
  // Written whole and renamed, so an interrupted build never leaves a torn picture.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QImageWriter writer(&file, "png");
  if (!writer.write(image) || !file.commit()) {
    std::fprintf(stderr, "tarsel-skingen: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool WriteText(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

void WarnAboutMissingFonts() {
  const QStringList families = QFontDatabase::families();
  for (const char* wanted : {"Liberation Sans", "WenQuanYi Micro Hei"}) {
    if (!families.contains(QString::fromLatin1(wanted))) {
      std::fprintf(stderr, "tarsel-skingen: font \"%s\" is not installed; labels use a fallback\n",
                   wanted);
    }
  }
}

int Generate(const QString& skinRoot, const QString& resourceDir, const QString& manifestPath) {
  WarnAboutMissingFonts();
  QString manifest;
  QTextStream out(&manifest);
  bool ok = true;

  for (Language language : kLanguages) {
    for (const PictureEntry& picture : kSkinPictures) {
      const QString relative =
          FromUtf8(LanguageFolder(language)) + FromUtf8(picture.folder) + FromUtf8(picture.name);
      ok = WritePicture(DrawSkinPicture(picture, language), skinRoot + u'/' + relative, picture.width,
                        picture.height) &&
           ok;
      out << "png/" << relative << ' ' << picture.width << ' ' << picture.height << '\n';
    }
  }

  QString qrc;
  QTextStream qrcOut(&qrc);
  qrcOut << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/tarsel\">\n";
  for (const ResourceEntry& picture : kResourcePictures) {
    const QString name = FromUtf8(picture.name);
    ok = WritePicture(DrawResourcePicture(picture), resourceDir + u'/' + name, picture.width,
                      picture.height) &&
         ok;
    out << "resources/" << name << ' ' << picture.width << ' ' << picture.height << " id "
        << picture.resourceId << '\n';
    qrcOut << "    <file>" << name << "</file>\n";
  }
  qrcOut << "  </qresource>\n</RCC>\n";
  out.flush();
  qrcOut.flush();
  ok = WriteText(resourceDir + QStringLiteral("/tarsel_resources.qrc"), qrc) && ok;
  // The manifest goes last: the build treats it as the sign that everything above was made.
  if (!ok) return 1;
  return WriteText(manifestPath, manifest) ? 0 : 1;
}

}  // namespace
}  // namespace tarsel::skin_art

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s SKIN_ROOT RESOURCE_DIR MANIFEST\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return tarsel::skin_art::Generate(QString::fromLocal8Bit(argv[1]),
                                    QString::fromLocal8Bit(argv[2]),
                                    QString::fromLocal8Bit(argv[3]));
}

// The real program against the simulator on a private X server: its window has the size of
// main.png and shows it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "private_x_server.h"
#include "skin_folder_fixture.h"

namespace tarsel::testing {
namespace {

// Where main.png lies on the screen: the top-left offset at which sample points of the picture
// that nothing is drawn over all match.
std::optional<QPoint> FindPicture(const QImage& screen, const QImage& picture) {
  const QPoint samples[] = {{0, 0},
                            {600, 0},
                            {picture.width() - 1, 0},
                            {500, 150},
                            {600, 20},
                            {10, 640},
                            {picture.width() - 1, picture.height() - 1},
                            {700, 620},
                            {260, 600}};
  for (int y = 0; y + picture.height() <= screen.height(); ++y) {
    for (int x = 0; x + picture.width() <= screen.width(); ++x) {
      bool all = true;
      for (QPoint s : samples) {
        if (screen.pixel(x + s.x(), y + s.y()) != picture.pixel(s)) {
          all = false;
          break;
        }
      }
      if (all) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

TEST(XvfbScreenshot, ProgramWindowHasTheSizeOfMainPngAndShowsIt) {
  ProgramFolderWithSkins folder;
  const auto runtime = folder.path() / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  std::filesystem::copy_file(std::filesystem::path(TARSEL_PROGRAM_DIR) / "tarsel",
                             folder.path() / "tarsel");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));

  QProcess simulator;
  simulator.setProcessEnvironment(env);
  simulator.start(QString::fromStdString(std::string(TARSEL_PROGRAM_DIR) + "tarsel-kbdsim"),
                  {"--dir", QString::fromStdString((runtime / "tarsel").string())});
  ASSERT_TRUE(simulator.waitForStarted(5000));
  QThread::msleep(300);

  QProcess program;
  program.setProcessEnvironment(env);
  program.start(QString::fromStdString((folder.path() / "tarsel").string()), {});
  ASSERT_TRUE(program.waitForStarted(5000));

  const QImage main = QImage(QString::fromStdString(folder.MainPng().string()))
                          .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(main.isNull());
  std::optional<QPoint> at;
  QImage screen;
  QElapsedTimer timer;
  timer.start();
  while (!at && timer.elapsed() < 15000) {
    QThread::msleep(200);
    screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
    at = FindPicture(screen, main);
  }
  program.kill();
  program.waitForFinished(3000);
  simulator.terminate();
  simulator.waitForFinished(3000);

  ASSERT_TRUE(at.has_value()) << "main.png not found on the screen";
  // It ends exactly at the picture's edges: beyond them lies the bare screen.
  const QPoint beyond = *at + QPoint(main.width(), main.height());
  if (beyond.x() < screen.width() && beyond.y() < screen.height()) {
    EXPECT_NE(screen.pixel(beyond), main.pixel(main.width() - 1, main.height() - 1));
  }
  // Skin pictures were drawn over it (the keyboard picture at its place).
  const QImage keyboard =
      QImage(QString::fromStdString((folder.path() / "png/english/kb_BK.png").string()))
          .convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(screen.pixel(*at + QPoint(307 + 5, 211 + 5)), keyboard.pixel(5, 5));
}

}  // namespace
}  // namespace tarsel::testing

// Starts a private X server before the toolkit connects to a display.
int main(int argc, char** argv) {
  const tarsel::testing::PrivateXServer server;
  if (!server.Running()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  int result = 1;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  return result;
}

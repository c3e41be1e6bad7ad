// The real main window on the offscreen platform: real widget, real events, real pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QThread>
#include <atomic>
#include <thread>

#include "app/app_services.h"
#include "app/main_window.h"
#include "fakes/fake_app_services.h"
#include "fakes/fake_keyboard_session.h"
#include "mouse_events.h"
#include "platform/messages.h"
#include "qt_window_host.h"
#include "skin_folder_fixture.h"

namespace tarsel::testing {
namespace {

class QtMainWindowTest : public ::testing::Test, protected FakeServices {
 protected:
  void SetUp() override {
    host = std::make_unique<QtWindowHost>(dlg, windows.Pictures(), nullptr);
    dlg.Attach(*host);
    dlg.OnInitDialog();
    QApplication::processEvents();
  }
  void TearDown() override {
    dlg.OnDestroy();
    host.reset();
  }

  ProgramFolderWithSkins folder;
  QtWindowFactory windows;
  FakeKeyboardSession device;
  AppServices services = With(windows, device, folder.path());
  std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
  CVelkanDlg dlg{services, *config};
  std::unique_ptr<QtWindowHost> host;
};

TEST_F(QtMainWindowTest, WindowTakesTheBackgroundSizeAndShowsIt) {
  const QImage main(QString::fromStdString(folder.MainPng().string()));
  ASSERT_FALSE(main.isNull());
  QWidget& w = host->Widget();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.size(), main.size());
  EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarsel Gaming Keyboard"));

  const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), main.size());
  // Where nothing is drawn over it, the window shows main.png as it is.
  const QImage background = main.convertToFormat(QImage::Format_RGB32);
  for (QPoint p : {QPoint(600, 20), QPoint(500, 150), QPoint(10, 640), QPoint(700, 620)}) {
    EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
  }
  // The keyboard picture was copied over it.
  const QImage keyboard(QString::fromStdString((folder.path() / "png/english/kb_BK.png").string()));
  EXPECT_EQ(shown.pixel(307 + 5, 211 + 5),
            keyboard.convertToFormat(QImage::Format_RGB32).pixel(5, 5));
}

TEST_F(QtMainWindowTest, RealClickOpensTheHelpPanelAndRepaints) {
  QWidget& w = host->Widget();
  const int passes = host->PaintPasses();
  const QImage before = w.grab().toImage();
  Click(w, QPoint(944, 12));
  QApplication::processEvents();
  EXPECT_TRUE(dlg.state().helpPanelOpen);
  EXPECT_GT(host->PaintPasses(), passes);
  const QImage after = w.grab().toImage();
  EXPECT_NE(before.pixel(900, 60), after.pixel(900, 60)) << "the panel is on screen";

  // Dragging the brightness slider with real events moves its value.
  SendMouse(w, QEvent::MouseButtonPress, QPoint(28 + 7, 265), Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, QPoint(28 + 7 + 205, 265), Qt::NoButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, QPoint(28 + 7 + 205, 265), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(config->block.brightness, 50);
}

TEST_F(QtMainWindowTest, WorkerSendsReachTheUiThreadAndNeverHangAfterClose) {
  std::atomic<intptr_t> result{-1};
  std::thread worker(
      [&] { result = host->Messages().Send(WM_NO_DEVICE_NOTICE, kNoDeviceNoticeCode, 0); });
  while (result == -1) QApplication::processEvents(QEventLoop::AllEvents, 10);
  worker.join();
  EXPECT_EQ(tray.balloons.size(), 1u) << "ran on the UI thread while the worker waited";

  // A send that is still waiting when the window goes returns instead of hanging.
  std::atomic<bool> returned{false};
  MessageSink& sink = host->Messages();
  std::thread late([&] {
    sink.Send(WM_NO_DEVICE_NOTICE, kNoDeviceNoticeCode, 0);
    returned = true;
  });
  QThread::msleep(50);  // let it queue; the UI thread does not run it
  dlg.OnDestroy();
  host.reset();
  late.join();
  EXPECT_TRUE(returned);
  host = std::make_unique<QtWindowHost>(dlg, windows.Pictures(), nullptr);  // for TearDown
  dlg.Attach(*host);
}

TEST(PictureCache, PicksUpAChangedFileAndMatchesNamesWithoutCase) {
  ProgramFolderWithSkins folder;
  const std::string dir = (folder.path() / "own").string();
  std::filesystem::create_directory(dir);
  QImage red(4, 4, QImage::Format_ARGB32);
  red.fill(QColor(255, 0, 0, 0));  // fully transparent red: the copy must still be red
  ASSERT_TRUE(red.save(QString::fromStdString(dir + "/Pic.PNG")));
  PictureCache cache;
  const QImage* first = cache.Get(dir, "pic.png");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->pixel(0, 0), qRgb(255, 0, 0));

  QImage blue(6, 4, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 255));
  ASSERT_TRUE(blue.save(QString::fromStdString(dir + "/Pic.PNG")));
  const QImage* second = cache.Get(dir, "PIC.png");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->width(), 6);
  EXPECT_EQ(second->pixel(0, 0), qRgb(0, 0, 255));

  EXPECT_EQ(cache.Get(dir, "missing.png"), nullptr);
  std::filesystem::remove(dir + "/Pic.PNG");
  EXPECT_EQ(cache.Get(dir, "pic.png"), nullptr);
  std::FILE* broken = std::fopen((dir + "/broken.png").c_str(), "w");
  std::fputs("not a picture", broken);
  std::fclose(broken);
  EXPECT_EQ(cache.Get(dir, "broken.png"), nullptr);
}

TEST(QtCanvasDrawing, FrameTouchesBothEdgesAndTextIsAnchoredTopLeft) {
  ProgramFolderWithSkins folder;
  PictureCache cache;
  QImage target(300, 300, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QtCanvas canvas(target, cache, folder.path().string());
    canvas.DrawFrameRect(26, 221, 23, 23);
    canvas.DrawSkinText(u"Light", 100, 110, {255, 255, 255}, 15);
  }
  EXPECT_EQ(target.pixel(26, 221), qRgb(255, 255, 255));
  EXPECT_EQ(target.pixel(49, 244), qRgb(255, 255, 255));
  EXPECT_EQ(target.pixel(50, 244), qRgb(0, 0, 0));
  EXPECT_EQ(target.pixel(37, 232), qRgb(0, 0, 0));
  int top = -1;
  for (int y = 100; y < 140 && top < 0; ++y) {
    for (int x = 100; x < 160; ++x) {
      if (qRed(target.pixel(x, y)) > 0) {
        top = y;
        break;
      }
    }
  }
  EXPECT_GE(top, 110) << "nothing above the anchor";
  EXPECT_LE(top, 114) << "capitals start near the top of the cell";
}

}  // namespace
}  // namespace tarsel::testing

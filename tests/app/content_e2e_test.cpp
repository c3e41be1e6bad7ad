// The program's window with its full content on the Qt adapter, talking to tarsel-kbdsim as a
// separate process: real widget, real mouse events, real reports. With TARSEL_SCREENSHOT_DIR set
// it also saves pictures of the window in its views, in both languages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "adapters/qt/mouse_events.h"
#include "adapters/qt/skin_folder_fixture.h"
#include "app/app_services.h"
#include "app/main_content_setup.h"
#include "app/main_window.h"
#include "app/sequences_keyboard_session.h"
#include "device/composite_hid_transport.h"
#include "device/device_link.h"
#include "device/sequences/kbdsim_process.h"
#include "fakes/fake_app_services.h"
#include "lighting/color_view.h"
#include "platform/system_clock.h"
#include "qt_window_host.h"
#include "sim_socket_transport.h"

namespace tarsel::testing {
namespace {

// Processes events until done() holds; bounded.
template <typename Done>
bool RunUntil(Done done, int ms = 10000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return done();
}

// The program's wiring, with the simulator as the only keyboard and fakes for the desktop's
// tray, dialogs and device notices.
class ContentProgram {
 public:
  ContentProgram(const std::filesystem::path& programFolder, const std::filesystem::path& simFolder,
                 const char* language)
      : programFolder_(programFolder) {
    transport_.Add(std::make_unique<SimSocketTransport>(simFolder.string()));
    if (language) desktop_.settings.values["Language"] = language;
    InstallMainContent(dlg_, *library_, mainDialogs_);
    host_ = windows_.CreateSkinnedWindow(dlg_, nullptr);
    dlg_.Attach(*host_);
    dlg_.OnInitDialog();
  }
  ~ContentProgram() {
    dlg_.OnDestroy();
    host_.reset();
  }
  // The initial read has arrived and been shown.
  bool WaitForKeyboard() {
    const bool read = RunUntil([this] { return config_->block.effect != 0; });
    RunUntil([] { return false; }, 200);
    return read;
  }
  QWidget& Widget() { return static_cast<QtWindowHost&>(*host_).Widget(); }
  Configuration& config() { return *config_; }
  CVelkanDlg& dlg() { return dlg_; }
  KeyboardSession& session() { return session_; }
  WindowHost& host() { return *host_; }

 private:
  std::filesystem::path programFolder_;
  CompositeHidTransport transport_;
  SystemClock clock_;
  DeviceLink link_{transport_};
  SequencesKeyboardSession session_{
      link_, clock_, [](std::chrono::milliseconds delay, std::function<void()> task) {
        QTimer::singleShot(delay, QCoreApplication::instance(), std::move(task));
      }};
  QtWindowFactory windows_;
  FakeServices desktop_;
  AppServices services_ = desktop_.With(windows_, session_, programFolder_);
  std::unique_ptr<Configuration> config_ = std::make_unique<Configuration>();
  std::unique_ptr<MacroLibrary> library_ = std::make_unique<MacroLibrary>();
  CancellingMainWindowDialogs mainDialogs_;
  CVelkanDlg dlg_{services_, *config_};
  std::unique_ptr<WindowHost> host_;
};

class ContentEndToEndTest : public ::testing::Test {
 protected:
  std::vector<LoggedReport> WritesSince(std::size_t from) const {
    std::vector<LoggedReport> writes;
    const std::vector<LoggedReport> log = keyboard.Log();
    for (std::size_t i = from; i < log.size(); ++i) {
      if (log[i].kind == "feature-set" || log[i].kind == "page-write") writes.push_back(log[i]);
    }
    return writes;
  }

  SimFolder sim;
  KbdsimProcess keyboard{sim.Discovery(), sim.Root() / "kbdsim.log"};
  ProgramFolderWithSkins program;
};

TEST_F(ContentEndToEndTest, WaveAndBrightnessReachTheKeyboardWithOneLightingReport) {
  ASSERT_TRUE(keyboard.Ready());
  ContentProgram app(program.path(), sim.Discovery(), nullptr);
  ASSERT_TRUE(app.WaitForKeyboard());
  QWidget& w = app.Widget();
  const uint8_t brightnessBefore = app.config().block.brightness;
  const std::size_t from = keyboard.Log().size();

  Click(w, {100, 165});                // effect selector
  Click(w, {100, 173 + 2 * 20 + 10});  // "Wave"
  // Press on the brightness track about four fifths along, drag a little, release.
  const QPoint track{28 + 7 + 164, 268};
  SendMouse(w, QEvent::MouseButtonPress, track, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseMove, track + QPoint(4, 0), Qt::NoButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, track + QPoint(4, 0), Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  const DeviceStateBlock edited = app.config().block;
  ASSERT_EQ(edited.effect, 3);
  ASSERT_EQ(edited.colorChoice, 8);
  ASSERT_NE(edited.brightness, brightnessBefore);
  EXPECT_TRUE(WritesSince(from).empty());  // nothing is sent before Save

  Click(w, {950, 620});  // Save
  const std::vector<LoggedReport> writes = WritesSince(from);
  ASSERT_EQ(writes.size(), 1u);
  const std::vector<uint8_t>& r = writes[0].bytes;
  ASSERT_EQ(r.size(), 9u);
  EXPECT_EQ(r[1], 0x08);  // SetLighting
  EXPECT_EQ(r[3], 3);     // Wave
  EXPECT_EQ(r[5], edited.brightness);
  EXPECT_EQ(r[6], 8);  // multicolour

  // The keyboard holds what the window shows.
  DeviceStateBlock readBack = app.config().block;
  readBack.effect = readBack.brightness = readBack.colorChoice = 0;
  ASSERT_TRUE(app.session().ReadLighting(readBack));
  EXPECT_EQ(readBack.effect, 3);
  EXPECT_EQ(readBack.brightness, edited.brightness);
  EXPECT_EQ(readBack.colorChoice, 8);
  EXPECT_EQ(app.config().savedBlock.brightness, edited.brightness);
}

TEST_F(ContentEndToEndTest, CancelAfterAnEditLeavesTheKeyboardUntouched) {
  ASSERT_TRUE(keyboard.Ready());
  ContentProgram app(program.path(), sim.Discovery(), nullptr);
  ASSERT_TRUE(app.WaitForKeyboard());
  QWidget& w = app.Widget();
  const DeviceStateBlock before = app.config().block;
  const std::size_t from = keyboard.Log().size();

  Click(w, {100, 165});
  Click(w, {100, 173 + 1 * 20 + 10});  // "Breathing"
  Click(w, {40, 425});                 // game mode on
  ASSERT_EQ(app.config().block.effect, 2);
  Click(w, {890, 620});  // Cancel
  EXPECT_EQ(app.host().State(), ShowState::Hidden);
  EXPECT_TRUE(WritesSince(from).empty());
  EXPECT_EQ(app.config().block.effect, before.effect);
  EXPECT_EQ(app.config().block.gameMode, before.gameMode);

  DeviceStateBlock readBack = app.config().block;
  ASSERT_TRUE(app.session().ReadLighting(readBack));
  EXPECT_EQ(readBack.effect, before.effect);
}

// Pictures of the window for people to look at: generated on demand, never compared.
TEST_F(ContentEndToEndTest, Screenshots) {
  const char* dir = std::getenv("TARSEL_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "set TARSEL_SCREENSHOT_DIR to save pictures of the window";
  ASSERT_TRUE(keyboard.Ready());
  const std::filesystem::path out(dir);
  std::filesystem::create_directories(out);
  for (const char* language : {"english", "chinese"}) {
    ContentProgram app(program.path(), sim.Discovery(), language);
    ASSERT_TRUE(app.WaitForKeyboard());
    QWidget& w = app.Widget();
    const auto save = [&](const char* name) {
      app.host().Repaint();
      QApplication::processEvents();
      const auto path = out / (std::string(language) + "-" + name + ".png");
      EXPECT_TRUE(w.grab().save(QString::fromStdString(path.string()))) << path;
    };
    // A few keys with their own functions, so that the highlights show.
    app.dlg().state().keyChanged[42] = app.dlg().state().keyChanged[63] = true;
    save("keymap-view");
    Click(w, {100, 165});
    SendMouse(w, QEvent::MouseMove, {100, 173 + 3 * 20 + 5}, Qt::NoButton, Qt::NoButton);
    save("effect-list");
    Click(w, {100, 173 + 2 * 20 + 10});  // Wave
    save("wave");
    Click(w, {100, 480});
    save("response-list");
    Click(w, {100, 300 + 200});  // closes the list
    for (QPoint header : {QPoint{100, 120}, QPoint{100, 205}, QPoint{100, 260}, QPoint{100, 295}}) {
      Click(w, header);  // each fold moves the next header up
    }
    save("folded");
    for (QPoint header : {QPoint{100, 120}, QPoint{100, 400}, QPoint{100, 455}, QPoint{100, 525}}) {
      Click(w, header);
    }
    Click(w, {100, 165});
    Click(w, {100, 173 + 11 * 20 + 10});  // DIY1: the colour view
    for (std::size_t k : {0u, 42u, 43u, 44u, 45u, 63u, 64u, 65u, 98u}) {
      SetKeyColor(app.config().block, 0, k, {uint8_t(40 + 20 * (k % 9)), 200, uint8_t(k * 2)});
    }
    SendMouse(w, QEvent::MouseMove, {307 + 30, 211 + 30}, Qt::NoButton, Qt::NoButton);
    save("colour-view");
    Click(w, {940, 10});
    save("help-panel");
    Click(w, {500, 100});
  }
}

}  // namespace
}  // namespace tarsel::testing

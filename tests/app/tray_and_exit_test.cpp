#include <gtest/gtest.h>

#include "config/keymap_file.h"
#include "main_window_fixture.h"
#include "platform/messages.h"

namespace tarsel::testing {
namespace {

TEST_F(MainWindowTest, TrayDoubleClickShowsWindowOnlyWithKeyboard) {
  Start();
  dlg.HideWindow();
  ASSERT_EQ(host.state, ShowState::Hidden);
  tray.owner->Send(WM_TRAY_NOTIFY, 0, kTrayLeftDoubleClick);
  EXPECT_EQ(host.state, ShowState::Normal);
  EXPECT_TRUE(tray.balloons.empty());

  // Unplugged: a hidden window stays hidden and the balloon says why.
  dlg.HideWindow();
  device.commandOpen = false;
  tray.owner->Send(WM_TRAY_NOTIFY, 0, kTrayLeftDoubleClick);
  EXPECT_EQ(host.state, ShowState::Hidden);
  ASSERT_EQ(tray.balloons.size(), 1u);
  EXPECT_EQ(tray.balloons[0].title, u"Warning");
  EXPECT_EQ(tray.balloons[0].text, u"No Gaming Keyboard Detected!");

  // Other mouse messages, and the notice with another code, do nothing.
  tray.owner->Send(WM_TRAY_NOTIFY, 0, 0x0201);
  tray.owner->Send(WM_NO_DEVICE_NOTICE, 14, 0);
  EXPECT_EQ(tray.balloons.size(), 1u);
  EXPECT_TRUE(tray.menuItems.empty());
}

TEST_F(MainWindowTest, TrayMenuItemFollowsLanguage) {
  for (auto [language, item] : {std::pair{"english", u"Exit"}, std::pair{"chinese", u"退出"}}) {
    FakeTray t;
    settings.values["Language"] = language;
    AppServices s = services;
    FakeKeyboardSession d;
    AppServices local{windows, dialogs,       t, shell,        launcher, settings,
                      guard,   deviceChanges, d, folder.path()};
    auto c = std::make_unique<Configuration>();
    CVelkanDlg w(local, *c);
    FakeWindowHost h(w);
    w.Attach(h);
    w.OnInitDialog();
    t.owner->Send(WM_TRAY_NOTIFY, 0, kTrayRightButtonDown);
    ASSERT_EQ(t.menuItems.size(), 1u);
    EXPECT_EQ(t.menuItems[0], item);
    EXPECT_FALSE(h.endResult) << "dismissing the menu keeps the program running";
  }
}

TEST_F(MainWindowTest, TrayExitEndsWithoutWritingKeymap) {
  Start();
  const auto before = ReadAll(Keymap());
  config->block.brightness = 42;  // unsaved edit
  tray.chooseMenuItem = true;
  tray.owner->Send(WM_TRAY_NOTIFY, 0, kTrayRightButtonDown);
  EXPECT_EQ(host.endResult, 1);
  EXPECT_EQ(ReadAll(Keymap()), before);
}

TEST_F(MainWindowTest, CloseButtonWritesTheSavedCopy) {
  Start();
  config->savedBlock.brightness = 11;
  config->block.brightness = 42;  // unsaved edit, discarded
  host.Click(985, 12);
  EXPECT_EQ(host.endResult, 1);
  auto onDisk = std::make_unique<Configuration>();
  ParseKeymapBytes(ReadAll(Keymap()), onDisk->block, onDisk->store, false);
  EXPECT_EQ(onDisk->block.brightness, 11);
}

TEST_F(MainWindowTest, AKeymapThatCannotBeSavedIsReportedOncePerRunOfFailures) {
  Start();
  std::filesystem::remove(Keymap());
  std::filesystem::create_directory(Keymap());  // nothing can take its place
  const std::size_t before = dialogs.shown.size();

  dlg.SaveKeymap(KeymapSource::Live);
  ASSERT_EQ(dialogs.shown.size(), before + 1);
  EXPECT_NE(dialogs.shown.back().text.find(u"keymap.bin could not be saved"), std::u16string::npos);
  dlg.SaveKeymap(KeymapSource::Live);  // still failing: no second message
  EXPECT_EQ(dialogs.shown.size(), before + 1);

  std::filesystem::remove(Keymap());
  dlg.SaveKeymap(KeymapSource::Live);  // works again
  EXPECT_TRUE(std::filesystem::is_regular_file(Keymap()));
  std::filesystem::remove(Keymap());
  std::filesystem::create_directory(Keymap());
  dlg.SaveKeymap(KeymapSource::Live);  // a new failure is told again
  EXPECT_EQ(dialogs.shown.size(), before + 2);
}

TEST_F(MainWindowTest, HelpPanelClosesOnNextClickWithoutActing) {
  Start();
  host.Click(940, 10);
  EXPECT_TRUE(dlg.state().helpPanelOpen);
  EXPECT_NE(host.lastFrame.FindImage("HelpWindow.png"), nullptr);
  EXPECT_NE(host.lastFrame.FindText(u"Update Firmware"), nullptr);
  host.Click(985, 12);  // the close button, but the click only closes the panel
  EXPECT_FALSE(dlg.state().helpPanelOpen);
  EXPECT_FALSE(host.endResult);
  EXPECT_EQ(host.lastFrame.FindImage("HelpWindow.png"), nullptr);

  // Second row starts the updater without asking and without comparing versions.
  host.Click(940, 10);
  host.Click(900, 22 + 25 + 5);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], folder.path() / "Tarsel_Update.exe");
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace tarsel::testing
